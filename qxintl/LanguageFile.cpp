#include "qxintl/LanguageFile.h"
#include "qxintl/TextWriter.h"
#include <string.h>
#include <algorithm>

namespace qx {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsLineBreak(wchar_t c) { return c == L'\n' || c == L'\r'; }

// The file's text as UTF-16: UTF-16LE when it starts with that byte order mark, else UTF-8.
bool DecodeFile(const char* bytes, size_t size, GrowableArray<wchar_t>& wide) {
    if (size >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        if (!wide.Resize((size - 2) / 2)) return false;
        if (!wide.Empty()) memcpy(wide.Data(), bytes + 2, wide.Size() * sizeof(wchar_t));
        return true;
    }
    if (size == 0) return true;
    // Without MB_ERR_INVALID_CHARS an invalid sequence becomes U+FFFD instead of failing the file.
    const int count = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(size), nullptr, 0);
    if (count <= 0) return true;
    if (!wide.Resize(static_cast<size_t>(count))) return false;
    MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(size), wide.Data(), count);
    return true;
}

// Turns the escapes \n \t \r \s \\ into their characters; any other backslash stays as written.
bool Unescape(const wchar_t* text, size_t length, GrowableArray<wchar_t>& out) {
    if (!out.Resize(length)) return false;
    size_t used = 0;
    for (size_t i = 0; i < length; ++i) {
        wchar_t c = text[i];
        if (c == L'\\' && i + 1 < length) {
            switch (text[i + 1]) {
            case L'n': c = L'\n'; ++i; break;
            case L't': c = L'\t'; ++i; break;
            case L'r': c = L'\r'; ++i; break;
            case L's': c = L' '; ++i; break;
            case L'\\': ++i; break;
            default: break;
            }
        }
        out[used++] = c;
    }
    return out.Resize(used);
}

}  // namespace

bool LanguageFile::Load(const char* bytes, size_t size, UINT codePage) {
    entries_.Clear();
    pool_.Clear();
    codePage_ = codePage;
    if (!bytes) return true;

    const bool cut = size > MaxFileBytes;
    GrowableArray<wchar_t> wide;
    if (!DecodeFile(bytes, cut ? MaxFileBytes : size, wide)) return false;
    size_t end = wide.Size();
    if (cut) {  // the last line was cut in the middle: drop it rather than keep half a text
        while (end > 0 && !IsLineBreak(wide[end - 1])) --end;
    }
    const size_t start = end > 0 && wide[0] == 0xFEFF ? 1 : 0;
    if (!Parse(wide.Data() + start, end - start)) {
        entries_.Clear();
        pool_.Clear();
        return false;
    }
    return true;
}

bool LanguageFile::Parse(const wchar_t* text, size_t length) {
    if (!pool_.Reserve(length + length / 4)) return false;
    GrowableArray<wchar_t> scratch;
    for (size_t start = 0; start < length;) {
        size_t stop = start;
        while (stop < length && !IsLineBreak(text[stop])) ++stop;
        if (!AddLine(text + start, stop - start, scratch)) return false;
        start = stop + 1;  // the LF of a CRLF pair leaves an empty line, which is skipped
    }

    // Sorted for binary search. Among equal keys the one earliest in the file (lowest offset)
    // comes first, and unique keeps it: the first of duplicate keys wins.
    const char* pool = pool_.Data();
    std::sort(entries_.begin(), entries_.end(), [this, pool](const Entry& a, const Entry& b) {
        const int order = CompareKey(a, pool + b.keyOffset, b.keyLength);
        return order != 0 ? order < 0 : a.keyOffset < b.keyOffset;
    });
    Entry* last = std::unique(entries_.begin(), entries_.end(), [this, pool](const Entry& a, const Entry& b) {
        return CompareKey(a, pool + b.keyOffset, b.keyLength) == 0;
    });
    return entries_.Resize(static_cast<size_t>(last - entries_.begin()));
}

// Returns false only when memory ran out; a line that is no entry is skipped.
bool LanguageFile::AddLine(const wchar_t* line, size_t length, GrowableArray<wchar_t>& scratch) {
    const wchar_t* end = line + length;
    if (std::find(line, end, L'\0') != end) return true;  // binary garbage
    const wchar_t* key = line;
    while (key < end && IsBlank(*key)) ++key;
    if (key == end || *key == L'#' || *key == L';') return true;
    const wchar_t* equals = std::find(key, end, L'=');
    if (equals == end) return true;

    const wchar_t* keyEnd = equals;
    while (keyEnd > key && IsBlank(keyEnd[-1])) --keyEnd;
    if (keyEnd == key) return true;
    const wchar_t* text = equals + 1;
    while (text < end && IsBlank(*text)) ++text;
    const wchar_t* textEnd = end;
    while (textEnd > text && IsBlank(textEnd[-1])) --textEnd;
    if (!Unescape(text, static_cast<size_t>(textEnd - text), scratch)) return false;

    const size_t rollback = pool_.Size();
    Entry entry = {};
    uint32_t textLength = 0;
    Stored stored = AppendConverted(key, static_cast<size_t>(keyEnd - key), MaxKeyBytes, false, entry.keyOffset,
                                    entry.keyLength);
    if (stored == Stored::Yes)
        stored = AppendConverted(scratch.Data(), scratch.Size(), MaxTextBytes, true, entry.textOffset, textLength);
    if (stored == Stored::Yes && !entries_.Push(entry)) stored = Stored::OutOfMemory;
    if (stored != Stored::Yes) pool_.Resize(rollback);
    return stored != Stored::OutOfMemory;
}

// Converts to the file's code page and stores the result with a terminator. A result longer than
// limit is cut on a character boundary when cutAllowed, else refused.
LanguageFile::Stored LanguageFile::AppendConverted(const wchar_t* text, size_t length, size_t limit, bool cutAllowed,
                                                   uint32_t& offset, uint32_t& stored) {
    offset = static_cast<uint32_t>(pool_.Size());
    size_t converted = 0;
    if (length > 0) {
        const int wideLength = static_cast<int>(length);
        const int bytes = WideCharToMultiByte(codePage_, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return Stored::Refused;
        converted = static_cast<size_t>(bytes);
        if (!pool_.Resize(offset + converted)) return Stored::OutOfMemory;
        WideCharToMultiByte(codePage_, 0, text, wideLength, pool_.Data() + offset, bytes, nullptr, nullptr);
    }
    const size_t kept = FittingLength(codePage_, pool_.Data() + offset, converted, limit);
    if (kept < converted && !cutAllowed) return Stored::Refused;
    if (!pool_.Resize(offset + kept) || !pool_.Push(0)) return Stored::OutOfMemory;
    stored = static_cast<uint32_t>(kept);
    return Stored::Yes;
}

int LanguageFile::CompareKey(const Entry& entry, const char* key, size_t keyLength) const {
    const int order = memcmp(pool_.Data() + entry.keyOffset, key, std::min<size_t>(entry.keyLength, keyLength));
    if (order != 0) return order;
    return entry.keyLength < keyLength ? -1 : entry.keyLength > keyLength ? 1 : 0;
}

const char* LanguageFile::Find(const char* key, size_t keyLength) const {
    if (!key) return nullptr;
    const Entry* found = std::lower_bound(entries_.begin(), entries_.end(), 0, [&](const Entry& entry, int) {
        return CompareKey(entry, key, keyLength) < 0;
    });
    if (found == entries_.end() || CompareKey(*found, key, keyLength) != 0) return nullptr;
    return pool_.Data() + found->textOffset;
}

const char* LanguageFile::Find(const char* key) const { return key ? Find(key, strlen(key)) : nullptr; }

}  // namespace qx
