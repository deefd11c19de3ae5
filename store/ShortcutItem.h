// One shortcut record and the kinds of record. Special items (separator, dial-up and desktop
// access) carry their kind word in Path and in the stored order.
#pragma once
#include <cstddef>
#include <string>

enum class ShortcutKind { Application, Separator, DialUp, DeskAccess };

// The words that mark special items in Path and in the stored order (exact, case-sensitive).
extern const char* const SeparatorWord;
extern const char* const DialUpWord;
extern const char* const DeskAccessWord;

ShortcutKind KindOf(const std::string& pathOrToken);
bool IsSpecialKind(const std::string& pathOrToken);
const char* KindWord(ShortcutKind kind);  // null for Application
// The tooltip key of a special kind: "tip" followed by its kind word.
std::string TipKey(ShortcutKind kind);
// The 16 x 16 tray icon resource of a special kind (0 for Application).
int KindIconResource(ShortcutKind kind);

// The longest program path or "Start in" folder and the longest arguments a shortcut holds, in
// characters as edit controls count them: what the Properties page takes, a launch passes on.
const size_t MaxPathChars = 259;
const size_t MaxArgumentsChars = 255;

struct ShortcutItem {
    std::string Name;       // application: section name, order token and tooltip; special: tooltip
    std::string Path;       // program, document or folder; the kind word for special items
    std::string Startup;    // working folder
    std::string IconPath;   // "file[,index]"; empty means Path
    std::string Arguments;
    int Prompt = 0;         // 1: ask for arguments before launching
    int Style = 1;          // 1 normal, 2 maximised, 3 minimised
    int RunAs = 0;          // 1: started with administrator rights (stored only when 1)
    int IconId = 0;         // tray icon identifier; stays with the shortcut (see ShortcutList)

    ShortcutKind Kind() const { return KindOf(Path); }
    // What stands for this item in the stored order.
    std::string OrderToken() const;
};
