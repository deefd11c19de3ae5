// Turns an icon path ("file" or "file,index") into an icon of the system's small (tray) or large
// size at a DPI, with the system's question mark when the file has no such icon.
#pragma once
#include <windows.h>
#include <string>

// Splits at the first comma; the index is read like atoi (blanks, sign, digits); 0 without a comma.
void SplitIconPath(const std::string& iconPath, std::string& file, int& index);
// Null only for an empty path. The caller owns the handle. An icon file whose directory does
// not fit the file is never handed to the system; it gives the fallback icon.
HICON LoadIconFromPath(const std::string& iconPath, bool small, UINT dpi);
// The system's question mark as a new icon of small or large size.
HICON FallbackIcon(bool small, UINT dpi);
// The system's small or large icon size in pixels at dpi (16 and 32 at 96 DPI).
int IconPixels(bool small, UINT dpi);
