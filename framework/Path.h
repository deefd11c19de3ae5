// The parts of a path: the file name starts after its last "\" or "/" that is a character of its
// own (in a double-byte code page the second byte of a character can be one), or after a drive's
// colon.
#pragma once
#include <string>

size_t FileNameStart(const std::string& path);
// The folder with its final separator ("C:\Tools\"), empty for a bare file name.
std::string FolderWithSeparator(const std::string& path);
// The folder without its final separator ("C:\Tools"), empty for a bare file name.
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
// The file name's extension with its dot (".exe"), empty without one.
std::string ExtensionOf(const std::string& path);
