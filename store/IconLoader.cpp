#include "store/IconLoader.h"
#include "framework/Display.h"
#include "framework/Handles.h"
#include <shellapi.h>
#include <ctype.h>
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
}  // namespace

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

bool SplitIconPath(const std::string& iconPath, std::string& file, int& index) {
    file = iconPath;
    index = 0;
    const size_t comma = iconPath.rfind(',');
    if (comma == std::string::npos) return false;
    const char* number = iconPath.c_str() + comma + 1;
    char* end = nullptr;
    const long long value = strtoll(number, &end, 10);
    const bool digits = end != number && isdigit(static_cast<unsigned char>(end[-1]));
    while (*end == ' ' || *end == '\t') ++end;
    if (!digits || *end != '\0') return false;
    file = iconPath.substr(0, comma);
    index = static_cast<int>(value > 0x7FFFFFFF ? 0x7FFFFFFF : value < -0x7FFFFFFF ? -0x7FFFFFFF : value);
    return true;
}

HICON LoadShortcutIcon(const std::string& iconPath, const std::string& programPath, bool small, UINT dpi) {
    if (iconPath.empty()) return LoadIconFromFile(programPath, 0, small, dpi);
    std::string file;
    int index;
    SplitIconPath(iconPath, file, index);
    return LoadIconFromFile(file, index, small, dpi);
}

HICON LoadIconFromFile(const std::string& file, int index, bool small, UINT dpi) {
    if (file.empty()) return nullptr;
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
