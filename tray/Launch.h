// What launching needs besides the main window: the show command of a run style, the
// message key of a shell error, and the parts of a program path shown in messages.
#pragma once
#include <windows.h>
#include <string>

// Run style 2 maximised, 3 minimised, anything else a normal window.
int ShowCommandOfStyle(int style);
// The message key for a ShellExecuteA result of 32 or less.
const char* LaunchErrorKey(INT_PTR result);
// Shows why the program at path could not be started (a ShellExecuteA result of 32 or less).
void ReportLaunchFailure(INT_PTR result, const std::string& path);
// Drive and folder ("C:\Tools\") and extension with its dot (".exe") of a program path.
void SplitProgramPath(const std::string& path, std::string& driveAndFolder, std::string& extension);
