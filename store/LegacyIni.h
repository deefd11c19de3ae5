// One-time import of the settings file of older versions ("VELKATOR.INI" in the Windows
// folder) into the registry; the file is deleted afterwards.
#pragma once
#include <string>

std::string LegacyIniPath();
// Imports the file at iniPath when it exists; returns true when a file was imported.
bool ImportLegacyIni(const std::string& iniPath);
