// One-time import of the settings file of older versions ("VELKATOR.INI" in the Windows
// folder) into the registry. The file is deleted afterwards; when some of its shortcuts cannot
// be stored under their names it is kept, renamed beside itself, so nothing is lost.
#pragma once
#include <string>

std::string LegacyIniPath();
// Imports the file at iniPath when it is a file that was not imported before; the stored order
// then lists the imported shortcuts only.
void ImportLegacyIni(const std::string& iniPath);
