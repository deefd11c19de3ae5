// Turns an icon path ("file" or "file,index") into an icon of tray size (16 x 16) or
// full size (32 x 32), with the system's question mark when the file has no such icon.
#pragma once
#include <windows.h>
#include <string>

// Splits at the first comma; the index is read like atoi (blanks, sign, digits); 0 without a comma.
void SplitIconPath(const std::string& iconPath, std::string& file, int& index);
// Null only for an empty path. The caller owns the handle. An icon file whose directory does
// not fit the file is never handed to the system; it gives the fallback icon.
HICON LoadIconFromPath(const std::string& iconPath, bool small);
// The system's question mark as a new icon of tray or full size.
HICON FallbackIcon(bool small);
