#include "store/Password.h"
#include "framework/WideText.h"

std::uint32_t PasswordHash(const char* bytes, size_t length) {
    std::uint32_t hash = 0x0B3D5A71;
    for (size_t i = 0; i < length; ++i) {
        const std::int32_t byte = static_cast<signed char>(bytes[i]);
        hash = (hash << 4) + static_cast<std::uint32_t>(byte);
        const std::uint32_t high = hash & 0xF0000000u;
        if (high != 0) hash ^= high >> 24;
        hash &= ~high;
    }
    return hash;
}

std::string EncodePassword(const std::string& text) {
    std::string encoded(11, '0');  // "%011o": 28 bits take at most 10 octal digits
    for (std::uint32_t hash = PasswordHash(text.data(), text.size()), digit = 11; hash != 0; hash >>= 3)
        encoded[--digit] = static_cast<char>('0' + (hash & 7));
    return encoded;
}

PasswordMatch MatchPassword(const std::string& typed, const std::string& stored) {
    if (stored == EncodePassword(typed)) return PasswordMatch::Yes;
    const std::string legacy = Recode(typed, CP_ACP, LegacyCodePage());
    return legacy != typed && stored == EncodePassword(legacy) ? PasswordMatch::OlderForm : PasswordMatch::No;
}
