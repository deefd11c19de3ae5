// The "Options" values: every name and default in one place. Each value is read at the moment
// it is needed, so a change applies without a restart.
#pragma once
#include <string>

extern const char* const OptionsSection;

struct IntOption {
    const char* Name;
    int Default;
};
struct TextOption {
    const char* Name;
    const char* Default;
};

// A new number option goes into IsNumberOption too, so that an import stores it as a number.
namespace Option {
// "Language" has no fixed default: it is the user's language (see the application object).
const char* const Language = "Language";
const IntOption QuickNew = {"QuickNew", 1};
const IntOption Click = {"Click", 1};                      // see ClickStyle
const IntOption PlayWave = {"PlayWave", 1};                // 1 plays the click sound
const TextOption WaveFile = {"WaveFile", "Click.wav"};     // the Options page offers the program's own
const IntOption ConfirmDelete = {"ConfirmDelete", 1};
const IntOption ConfirmExit = {"ConfirmExit", 1};
const TextOption Security = {"Security", ""};              // the stored password form; empty: no lock
const IntOption RelockPassword = {"Relock Password", 1};
// 1: each new tray icon is shown on the taskbar rather than in the overflow (Windows 11).
const IntOption ShowNewIcons = {"ShowNewIcons", 1};
// The identifier the next new application shortcut's tray icon gets (see ShortcutList).
const IntOption NextIconId = {"NextIconId", 1};
// Set when a legacy settings file was imported but could not be deleted, so it is imported once only.
const IntOption LegacyImported = {"LegacyImported", 0};
}  // namespace Option

// Which click on a tray icon starts its shortcut; stored as 1 and 2, anything else starts nothing.
enum class ClickStyle { None = 0, Single = 1, Double = 2 };
ClickStyle ReadClickStyle();
void WriteClickStyle(ClickStyle style);

int ReadOption(const IntOption& option);
std::string ReadOption(const TextOption& option);
void WriteOption(const IntOption& option, int value);
void WriteOption(const TextOption& option, const std::string& value);

// Whether the option of that name is stored as a number (the others are texts).
bool IsNumberOption(const std::string& name);

// A password locks changes while Options\Security holds one.
bool IsPasswordStored();
