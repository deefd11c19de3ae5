#include "framework/TextCut.h"

size_t CharacterPrefixLength(const std::string& text, size_t maxBytes, UINT codePage) {
    if (codePage == CP_ACP) codePage = GetACP();
    size_t limit = text.find('\0');
    if (limit == std::string::npos) limit = text.size();
    if (limit > maxBytes) limit = maxBytes;
    if (codePage == CP_UTF8) {
        // A byte 10xxxxxx continues the character before it: never stop in front of one.
        size_t length = limit;
        while (length > 0 && length < text.size() && (static_cast<BYTE>(text[length]) & 0xC0) == 0x80) --length;
        return length;
    }
    size_t length = 0;
    while (length < limit) {
        size_t next = length + (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[length])) ? 2 : 1);
        if (next > limit) break;
        length = next;
    }
    return length;
}
