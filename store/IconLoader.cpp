#include "store/IconLoader.h"
#include "framework/Display.h"
#include "framework/Handles.h"
#include <shellapi.h>
#include <stdlib.h>
#include <vector>

namespace {
#pragma pack(push, 1)
struct IconDirectoryHeader {
    WORD reserved;  // 0
    WORD type;      // 1 icon, 2 cursor
    WORD count;
};
struct IconDirectoryEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitsPerPixel;
    DWORD bytes;
    DWORD offset;
};
#pragma pack(pop)

// False for an icon or cursor file whose directory does not fit the file (entries, sizes or
// offsets past its end): the system's loader would read beyond it. Other files are the system's.
bool IconDirectoryFits(const std::string& file) {
    OwnedHandle handle(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        handle.release();
        return true;
    }
    LARGE_INTEGER size = {};
    IconDirectoryHeader header = {};
    DWORD read = 0;
    if (!GetFileSizeEx(handle.get(), &size) || !ReadFile(handle.get(), &header, sizeof header, &read, nullptr) ||
        read != sizeof header || header.reserved != 0 || (header.type != 1 && header.type != 2))
        return true;
    const ULONGLONG fileSize = static_cast<ULONGLONG>(size.QuadPart);
    const ULONGLONG directoryEnd = sizeof header + ULONGLONG(header.count) * sizeof(IconDirectoryEntry);
    if (header.count == 0 || directoryEnd > fileSize) return false;
    std::vector<IconDirectoryEntry> entries(header.count);
    DWORD wanted = static_cast<DWORD>(entries.size() * sizeof(IconDirectoryEntry));
    if (!ReadFile(handle.get(), entries.data(), wanted, &read, nullptr) || read != wanted) return false;
    for (const IconDirectoryEntry& entry : entries) {
        if (entry.bytes == 0 || entry.offset < directoryEnd || ULONGLONG(entry.offset) + entry.bytes > fileSize)
            return false;
    }
    return true;
}
}  // namespace

void SplitIconPath(const std::string& iconPath, std::string& file, int& index) {
    size_t comma = iconPath.find(',');
    file = iconPath.substr(0, comma);
    index = 0;
    if (comma == std::string::npos) return;
    long value = strtol(iconPath.c_str() + comma + 1, nullptr, 10);
    if (value > 0x7FFFFFFFL) value = 0x7FFFFFFFL;
    if (value < -0x7FFFFFFFL) value = -0x7FFFFFFFL;
    index = static_cast<int>(value);
}

HICON LoadIconFromPath(const std::string& iconPath, bool small, UINT dpi) {
    if (iconPath.empty()) return nullptr;
    std::string file;
    int index;
    SplitIconPath(iconPath, file, index);
    if (!IconDirectoryFits(file)) return FallbackIcon(small, dpi);
    // The image made for this size, not a larger one shrunk: sharp at any DPI.
    const int size = IconPixels(small, dpi);
    HICON icon = nullptr;
    UINT resourceId = 0;
    UINT extracted = PrivateExtractIconsA(file.c_str(), index, size, size, &icon, &resourceId, 1, LR_DEFAULTCOLOR);
    if (extracted == 1 && icon) return icon;
    return FallbackIcon(small, dpi);
}

int IconPixels(bool small, UINT dpi) {
    return MetricForDpi(small ? SM_CXSMICON : SM_CXICON, dpi);
}

HICON FallbackIcon(bool small, UINT dpi) {
    const int size = IconPixels(small, dpi);
    return static_cast<HICON>(
        CopyImage(LoadIconA(nullptr, IDI_QUESTION), IMAGE_ICON, size, size, LR_COPYFROMRESOURCE));
}
