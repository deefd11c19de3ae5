// All settings to and from a settings file, the form a portable copy keeps them in: to take them
// to another machine, or between the registry and a portable copy. An import replaces the
// settings in use only with a file the program can use whole; otherwise nothing changes.
#pragma once
#include <string>

enum class ExportResult { Written, NotWritable, NotWritten };
// Writes every section and value of the settings in use to a new file at path, the order always
// (empty when none is stored). NotWritable: problem names a name or value no file can hold.
ExportResult ExportSettings(const std::string& path, std::string& problem);

enum class ImportResult { Imported, Unreadable, NoOrder, BadName, TooMany, NotStored };
// NoOrder: the file has no Shortcuts\Order, so it is no settings file of this program.
// BadName: problem names a section, value or shortcut name the settings in use cannot hold.
// TooMany: the order names more icons than the shortcut list holds.
// NotStored: the settings were replaced in part only, or could not be saved.
ImportResult ImportSettings(const std::string& path, std::string& problem);
