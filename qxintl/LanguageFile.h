// A language file held in memory: keys and their texts, parsed from the file's bytes and
// converted to one ANSI code page. The format is described in qxintl/README.md.
#pragma once
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include "qxintl/GrowableArray.h"

namespace qx {

enum : size_t {
    MaxFileBytes = 1024 * 1024,  // only the first MiB of a file is read
    MaxTextBytes = 4095,         // longest stored text: it always fits a 4096-byte buffer
    MaxKeyBytes = 255,           // a line with a longer key is skipped
};

class LanguageFile {
public:
    // Replaces the contents with the keys of the file's bytes, texts converted to codePage.
    // Bad bytes never fail: broken lines are skipped and invalid UTF-8 becomes "?".
    // Returns false only when memory ran out; the file then holds no keys.
    bool Load(const char* bytes, size_t size, UINT codePage = CP_ACP);

    // The key's text (terminated), or null for a missing key. Keys compare case-sensitively.
    const char* Find(const char* key, size_t keyLength) const;
    const char* Find(const char* key) const;

    size_t Count() const { return entries_.Size(); }
    UINT CodePage() const { return codePage_; }

private:
    struct Entry {
        uint32_t keyOffset;
        uint32_t keyLength;
        uint32_t textOffset;
    };
    bool Parse(const wchar_t* text, size_t length);
    bool AddLine(const wchar_t* line, size_t length, GrowableArray<wchar_t>& scratch);
    enum class Stored { Yes, Refused, OutOfMemory };
    Stored AppendConverted(const wchar_t* text, size_t length, size_t limit, bool cutAllowed, uint32_t& offset,
                           uint32_t& stored);
    int CompareKey(const Entry& entry, const char* key, size_t keyLength) const;

    GrowableArray<Entry> entries_;  // sorted by key, one per key
    GrowableArray<char> pool_;      // every key and text, each followed by a terminator
    UINT codePage_ = CP_ACP;
};

}  // namespace qx
