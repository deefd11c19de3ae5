// The command line: "/n <path>" asks for a new shortcut for the program at path (QuickNew);
// "/export <file>" and "/import <file>" move the settings to or from a settings file, and
// "/quiet" keeps their messages back.
#pragma once
#include "framework/CommandLineInfo.h"
#include <string>

enum class SettingsAction { None, Export, Import };

class NewCommandLineInfo : public CCommandLineInfo {
public:
    // The first argument after the switch "n" (any letter case); empty when there is none.
    std::string NewPath;
    // The last of "/export" and "/import", and the full path of the first argument after it.
    SettingsAction Action = SettingsAction::None;
    std::string SettingsFile;
    bool Quiet = false;
    void ParseParam(const char* param, bool isFlag, bool isLast) override;

private:
    bool m_newSwitchSeen = false;
    bool m_settingsSwitchSeen = false;
};
