// Receives the command line one argument at a time.
#pragma once

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;
    // param: the argument, without its leading "/" or "-" when isFlag is set.
    virtual void ParseParam(const char* param, bool isFlag, bool isLast) {
        (void)param; (void)isFlag; (void)isLast;
    }
};
