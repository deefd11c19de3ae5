#include "framework/WideText.h"
#include <stdlib.h>

WideChars ToWide(const std::string& text, UINT codePage) {
    const int length = static_cast<int>(text.size());
    const int wide = text.empty() ? 0 : MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    WideChars result(static_cast<size_t>(wide > 0 ? wide : 0) + 1, L'\0');
    if (wide > 0 && MultiByteToWideChar(codePage, 0, text.data(), length, result.data(), wide) != wide)
        result.assign(1, L'\0');
    return result;
}

std::string FromWide(const wchar_t* text, size_t length, UINT codePage) {
    if (!text || length == 0) return std::string();
    const int wide = static_cast<int>(length);
    int bytes = WideCharToMultiByte(codePage, 0, text, wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string result(static_cast<size_t>(bytes), '\0');
    bytes = WideCharToMultiByte(codePage, 0, text, wide, &result[0], bytes, nullptr, nullptr);
    result.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
    return result;
}

std::string Recode(const std::string& text, UINT from, UINT to) {
    if (from == to) return text;
    const WideChars wide = ToWide(text, from);
    return FromWide(wide.data(), wide.size() - 1, to);
}

UINT LegacyCodePage() {
    const UINT active = GetACP();
    if (active != CP_UTF8) return active;
    // The manifest made this process's code page UTF-8; the system's own is in its locale.
    wchar_t number[8] = L"";
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, number, 8)) {
        const UINT codePage = static_cast<UINT>(wcstoul(number, nullptr, 10));
        if (codePage != 0 && IsValidCodePage(codePage)) return codePage;
    }
    return 1252;
}

size_t WideLength(const std::string& text) {
    return ToWide(text).size() - 1;
}

bool IsUtf8(const std::string& bytes) {
    return bytes.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                                static_cast<int>(bytes.size()), nullptr, 0) > 0;
}
