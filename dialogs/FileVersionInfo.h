// Reading a file's version resource: the file description names new shortcuts, and the
// description with the version makes the About box's version line.
#pragma once
#include <windows.h>
#include <memory>
#include <string>

class FileVersionInfo {
public:
    // Reads path's version block; a file without a usable one gives a reader without data.
    explicit FileVersionInfo(const char* path);
    FileVersionInfo(const FileVersionInfo&) = delete;
    FileVersionInfo& operator=(const FileVersionInfo&) = delete;

    // Values are at most 255 characters; the buffer holds them with the terminator.
    static const size_t ValueSize = 256;
    // Copies the string value name of the given string table (0: the file's first one) into
    // buffer; false leaves it empty.
    bool GetString(const char* name, char (&buffer)[ValueSize], DWORD translationWanted = 0) const;
    bool HasData() const { return data != nullptr; }

    // The first language in the high word and its code page in the low word, so "%08lx"
    // names its string table (040904b0).
    DWORD translation = 0;

private:
    std::unique_ptr<BYTE[]> data;
};

// The file's description; withBuild gives "appBuild" formatted with the description and the
// file version instead.
std::string GetFileVersionText(const char* path, bool withBuild);
