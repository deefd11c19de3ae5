// One-time import of the settings file of older versions ("VELKATOR.INI" in the Windows
// folder) into the registry. The file is per machine, so it may turn up beside settings a user
// already has: only shortcuts whose names are free are imported, after the stored ones. The file
// is deleted afterwards; when some of its shortcuts were left out it is kept, renamed beside
// itself, so nothing is lost.
#pragma once
#include <string>

std::string LegacyIniPath();
// Imports the file at iniPath when it is a file that was not imported before.
void ImportLegacyIni(const std::string& iniPath);
