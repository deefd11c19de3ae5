#include "framework/Path.h"
#include <windows.h>

size_t FileNameStart(const std::string& path) {
    const UINT codePage = GetACP();
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (codePage != CP_UTF8 && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(path[i])))
            ++i;
        else if (path[i] == '\\' || path[i] == '/' || (path[i] == ':' && i == 1))
            start = i + 1;
    }
    return start;
}

std::string FolderWithSeparator(const std::string& path) {
    return path.substr(0, FileNameStart(path));
}

std::string FolderOf(const std::string& path) {
    std::string folder = FolderWithSeparator(path);
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

std::string FileNameOf(const std::string& path) {
    return path.substr(FileNameStart(path));
}

std::string ExtensionOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}
