#include "qxintl/TextWriter.h"
#include <string.h>

namespace qx {

static UINT ResolveCodePage(UINT codePage) { return codePage == CP_ACP ? GetACP() : codePage; }

static size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
}

size_t CharacterLength(UINT codePage, const char* text, size_t available) {
    if (available < 2) return available;
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return 1;
    codePage = ResolveCodePage(codePage);
    if (codePage == CP_UTF8) {
        const size_t length = Utf8SequenceLength(lead);
        if (length > available) return 1;
        for (size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
        return length;
    }
    // A lead byte followed by the terminator is a broken pair: keep it a single byte.
    return IsDBCSLeadByteEx(codePage, lead) && text[1] != 0 ? 2 : 1;
}

size_t FittingLength(UINT codePage, const char* text, size_t length, size_t limit) {
    if (length <= limit) return length;
    codePage = ResolveCodePage(codePage);
    size_t used = 0;
    while (used < length) {
        const size_t next = CharacterLength(codePage, text + used, length - used);
        if (used + next > limit) break;
        used += next;
    }
    return used;
}

TextWriter::TextWriter(char* buffer, int size, UINT codePage)
    : buffer_(size > 0 ? buffer : nullptr),
      capacity_(buffer && size > 0 ? static_cast<size_t>(size) - 1 : 0),
      length_(0),
      codePage_(ResolveCodePage(codePage)),
      truncated_(false) {
    if (buffer_) buffer_[0] = 0;
}

void TextWriter::Append(const char* text, size_t length) {
    if (!buffer_ || truncated_ || length == 0) return;
    const size_t fitting = FittingLength(codePage_, text, length, capacity_ - length_);
    memcpy(buffer_ + length_, text, fitting);
    length_ += fitting;
    buffer_[length_] = 0;
    truncated_ = fitting < length;
}

void TextWriter::Append(const char* text) {
    if (text) Append(text, strlen(text));
}

}  // namespace qx
