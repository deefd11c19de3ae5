#include "store/Options.h"
#include "framework/WinApp.h"

const char* const OptionsSection = "Options";

int ReadOption(const IntOption& option) {
    return TheApp()->GetProfileInt(OptionsSection, option.Name, option.Default);
}

std::string ReadOption(const TextOption& option) {
    return TheApp()->GetProfileString(OptionsSection, option.Name, option.Default);
}

void WriteOption(const IntOption& option, int value) {
    TheApp()->WriteProfileInt(OptionsSection, option.Name, value);
}

void WriteOption(const TextOption& option, const std::string& value) {
    TheApp()->WriteProfileString(OptionsSection, option.Name, value.c_str());
}

bool IsPasswordStored() {
    return !ReadOption(Option::Security).empty();
}
