// Turns an icon path ("file" or "file,index") into an icon of the system's small (tray) or large
// size at a DPI, with the system's question mark when the file has no such icon.
#pragma once
#include <windows.h>
#include <string>

// Splits at the last comma when a number follows it (blanks and a sign allowed); file names may
// hold commas, so any other text is a file name whole. True when a number was split off; index
// is 0 otherwise.
bool SplitIconPath(const std::string& iconPath, std::string& file, int& index);
// Null only for an empty file name. The caller owns the handle. An icon file whose directory
// does not fit the file is never handed to the system; it gives the fallback icon.
HICON LoadIconFromFile(const std::string& file, int index, bool small, UINT dpi);
// A shortcut's icon: the one its icon path names, else the first of its program, whose path is
// taken whole.
HICON LoadShortcutIcon(const std::string& iconPath, const std::string& programPath, bool small, UINT dpi);
// False for an icon or cursor file whose directory does not fit the file (entries, sizes or
// offsets past its end): the system's loader would read beyond it. Other files are the system's.
bool IconDirectoryFits(const std::string& file);
// The system's question mark as a new icon of small or large size.
HICON FallbackIcon(bool small, UINT dpi);
// The system's small or large icon size in pixels at dpi (16 and 32 at 96 DPI).
int IconPixels(bool small, UINT dpi);
