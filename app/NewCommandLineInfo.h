// The command line: "/n <path>" asks for a new shortcut for the program at path (QuickNew).
#pragma once
#include "framework/CommandLineInfo.h"
#include <string>

class NewCommandLineInfo : public CCommandLineInfo {
public:
    // The first argument after the switch "n" (any letter case); empty when there is none.
    std::string NewPath;
    void ParseParam(const char* param, bool isFlag, bool isLast) override;

private:
    bool m_newSwitchSeen = false;
};
