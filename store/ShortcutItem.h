// One shortcut record and the kinds of record. Special items (separator, dial-up and desktop
// access) carry their kind word in Path and in the stored order.
#pragma once
#include <cstddef>
#include <string>

enum class ShortcutKind { Application, Separator, DialUp, DeskAccess };

// The words that mark special items in Path and in the stored order (exact, case-sensitive).
extern const char* const SeparatorWord;
extern const char* const DialUpWord;
extern const char* const DeskAccessWord;

ShortcutKind KindOf(const std::string& pathOrToken);
bool IsSpecialKind(const std::string& pathOrToken);
const char* KindWord(ShortcutKind kind);  // null for Application
// The tooltip key of a special kind: "tip" followed by its kind word.
std::string TipKey(ShortcutKind kind);

// The longest name (what the first tray tooltips held: 63 bytes), and the longest program path or
// "Start in" folder and arguments, in characters as edit controls count them: what the Properties
// page takes, a launch passes on.
const size_t MaxNameBytes = 63;
const size_t MaxPathChars = 259;
const size_t MaxArgumentsChars = 255;

// How a program's window starts; stored as 1, 2 and 3, anything else read as Normal.
enum class RunStyle { Normal = 1, Maximized = 2, Minimized = 3 };

struct ShortcutItem {
    std::string Name;       // application: section name, order token and tooltip; special: tooltip
    std::string Path;       // program, document or folder; the kind word for special items
    std::string Startup;    // working folder
    std::string IconPath;   // "file[,index]"; empty means Path
    std::string Arguments;
    bool Prompt = false;    // ask for arguments before launching
    RunStyle Style = RunStyle::Normal;
    bool RunAs = false;     // started with administrator rights
    int IconId = 0;         // tray icon identifier; stays with the shortcut (see ShortcutList)

    ShortcutKind Kind() const { return KindOf(Path); }
    // What stands for this item in the stored order.
    std::string OrderToken() const;
};
