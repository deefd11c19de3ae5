#include "store/ShortcutItem.h"

const char* const SeparatorWord = "Separator";
const char* const DialUpWord = "Dial-Up Networking";
const char* const DeskAccessWord = "DeskAccess";

ShortcutKind KindOf(const std::string& pathOrToken) {
    if (pathOrToken == SeparatorWord) return ShortcutKind::Separator;
    if (pathOrToken == DialUpWord) return ShortcutKind::DialUp;
    if (pathOrToken == DeskAccessWord) return ShortcutKind::DeskAccess;
    return ShortcutKind::Application;
}

bool IsSpecialKind(const std::string& pathOrToken) {
    return KindOf(pathOrToken) != ShortcutKind::Application;
}

const char* KindWord(ShortcutKind kind) {
    switch (kind) {
    case ShortcutKind::Separator: return SeparatorWord;
    case ShortcutKind::DialUp: return DialUpWord;
    case ShortcutKind::DeskAccess: return DeskAccessWord;
    default: return nullptr;
    }
}

std::string TipKey(ShortcutKind kind) {
    const char* word = KindWord(kind);
    return word ? std::string("tip") + word : std::string();
}

std::string ShortcutItem::OrderToken() const {
    const char* word = KindWord(Kind());
    return word ? std::string(word) : Name;
}
