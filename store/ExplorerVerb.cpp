#include "store/ExplorerVerb.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"
#include <string>

namespace {
struct VerbRow {
    const char* subkey;
    const char* text;  // "$": the menu text; "=": the program's name; "": the command line
};
const VerbRow VerbTable[] = {
    {"zzVelkator", "$"},
    {"zzVelkator\\command", ""},
    {"zzVelkator\\ddeexec", "[new(\"%1\")]"},
    {"zzVelkator\\ddeexec\\application", "="},
    {"zzVelkator\\ddeexec\\topic", "system"},
};
const int VerbRows = sizeof VerbTable / sizeof VerbTable[0];

// "Software\Classes\<type>\shell" under the current user, when ".exe" names a type with a shell key.
bool UserShellKeyPath(std::string& path) {
    RegistryKey extension;
    if (!extension.Open(HKEY_CLASSES_ROOT, ".exe")) return false;
    std::string type = extension.ReadString(nullptr, "");
    RegistryKey shell;
    if (type.empty() || type.size() >= 128 || !shell.Open(HKEY_CLASSES_ROOT, (type + "\\shell").c_str()))
        return false;
    path = "Software\\Classes\\" + type + "\\shell";
    return true;
}

std::string RowValue(const VerbRow& row, const std::string& menuText) {
    if (row.text[0] == '$') return menuText;
    if (row.text[0] == '=') return TheApp()->AppName();
    if (row.text[0] != '\0') return row.text;
    return "\"" + ProgramPath() + "\" /n \"%1\"";
}
}  // namespace

void WriteQuickNewVerb(const std::string& menuText) {
    if (TheApp()->Settings().IsPortable()) return;
    std::string shell;
    // A verb naming no program, or a cut path, would start something else.
    if (ProgramPath().empty() || !UserShellKeyPath(shell)) return;
    for (const VerbRow& row : VerbTable) {
        RegistryKey key;
        if (key.Create(HKEY_CURRENT_USER, (shell + "\\" + row.subkey).c_str()))
            key.SetString(nullptr, RowValue(row, menuText).c_str());
    }
}

void RemoveQuickNewVerb() {
    if (TheApp()->Settings().IsPortable()) return;
    std::string shell;
    if (!UserShellKeyPath(shell)) return;
    for (int row = VerbRows - 1; row >= 0; --row)
        RegDeleteKeyA(HKEY_CURRENT_USER, (shell + "\\" + VerbTable[row].subkey).c_str());
}
