#include "store/Options.h"
#include "framework/WinApp.h"
#include <windows.h>

const char* const OptionsSection = "Options";

int ReadOption(const IntOption& option) {
    return TheApp()->Settings().ReadNumber(OptionsSection, option.Name, option.Default);
}

std::string ReadOption(const TextOption& option) {
    return TheApp()->Settings().ReadText(OptionsSection, option.Name, option.Default);
}

void WriteOption(const IntOption& option, int value) {
    TheApp()->Settings().WriteNumber(OptionsSection, option.Name, value);
}

void WriteOption(const TextOption& option, const std::string& value) {
    TheApp()->Settings().WriteText(OptionsSection, option.Name, value);
}

bool IsNumberOption(const std::string& name) {
    const IntOption* numbers[] = {&Option::QuickNew,      &Option::Click,       &Option::PlayWave,
                                  &Option::ConfirmDelete, &Option::ConfirmExit, &Option::RelockPassword,
                                  &Option::ShowNewIcons,  &Option::NextIconId,  &Option::LegacyImported};
    for (const IntOption* option : numbers)
        if (lstrcmpiA(option->Name, name.c_str()) == 0) return true;
    return lstrcmpiA(Option::Language, name.c_str()) == 0;
}

ClickStyle ReadClickStyle() {
    const int stored = ReadOption(Option::Click);
    return stored == 1 ? ClickStyle::Single : stored == 2 ? ClickStyle::Double : ClickStyle::None;
}

void WriteClickStyle(ClickStyle style) {
    WriteOption(Option::Click, static_cast<int>(style));
}

bool IsPasswordStored() {
    return !ReadOption(Option::Security).empty();
}
