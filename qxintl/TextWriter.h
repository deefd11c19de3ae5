// Character-safe text handling for the language library: every text is cut on a character
// boundary of its code page, so a double-byte or UTF-8 character is never split.
#pragma once
#include <windows.h>
#include <stddef.h>

namespace qx {

// Bytes of the character at text (1 to 4), never more than available; a broken sequence counts as 1.
size_t CharacterLength(UINT codePage, const char* text, size_t available);

// The longest prefix of text[0..length) that ends on a character boundary and is at most limit bytes.
size_t FittingLength(UINT codePage, const char* text, size_t length, size_t limit);

// Writes a terminated text into a fixed buffer. Whole characters only: once one does not fit,
// the writer is full and refuses everything after it, so the result is a clean prefix.
class TextWriter {
public:
    TextWriter(char* buffer, int size, UINT codePage);  // buffer may be null or size <= 0: writes nothing
    void Append(const char* text, size_t length);
    void Append(const char* text);
    void AppendByte(char c) { Append(&c, 1); }
    bool Truncated() const { return truncated_; }
    size_t Length() const { return length_; }

private:
    char* buffer_;
    size_t capacity_;  // bytes available for text, the terminator excluded
    size_t length_;
    UINT codePage_;
    bool truncated_;
};

}  // namespace qx
