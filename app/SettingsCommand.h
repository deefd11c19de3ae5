// The command-line switches that move the settings: "/export <file>" writes the settings in use
// to a settings file, "/import <file>" replaces them with a file's while no copy of the program
// runs; "/quiet" shows no message. Neither starts the tray part.
#pragma once
#include "app/NewCommandLineInfo.h"

// Runs the switch the command line gives; the process's exit code (0 when it was done).
int RunSettingsCommand(const NewCommandLineInfo& commandLine);
