#include "store/IconLoader.h"
#include <shellapi.h>
#include <stdlib.h>

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

HICON LoadIconFromPath(const std::string& iconPath, bool small) {
    if (iconPath.empty()) return nullptr;
    std::string file;
    int index;
    SplitIconPath(iconPath, file, index);
    HICON icon = nullptr;
    // Exactly one slot is asked for: with both, a bad index can leave junk in the other.
    ExtractIconExA(file.c_str(), index, small ? nullptr : &icon, small ? &icon : nullptr, 1);
    if (icon && icon != reinterpret_cast<HICON>(1)) return icon;
    int size = small ? 16 : 32;
    return static_cast<HICON>(
        CopyImage(LoadIconA(nullptr, IDI_QUESTION), IMAGE_ICON, size, size, LR_COPYFROMRESOURCE));
}
