#include "framework/SafeFile.h"
#include "framework/Handles.h"
#include <windows.h>

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string fresh = path + ".new";
    OwnedHandle file(
        CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    DWORD written = 0;
    const bool whole = bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                                   &written, nullptr) && written == bytes.size());
    // On the disk before the rename: else a power cut could leave the new name on an empty file.
    const bool flushed = whole && FlushFileBuffers(file.get());
    file.reset();
    if (flushed && MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(fresh.c_str());
    return false;
}

bool MoveAside(const std::string& path, const std::string& suffix, std::string& movedTo) {
    for (int attempt = 1; attempt <= 100; ++attempt) {
        movedTo = path + suffix + (attempt == 1 ? "" : "-" + std::to_string(attempt));
        if (MoveFileA(path.c_str(), movedTo.c_str())) return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}
