#include "store/ExplorerVerb.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"

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

// Every file, and every folder.
const char* const ShellKeys[] = {"Software\\Classes\\*\\shell", "Software\\Classes\\Directory\\shell"};

// Where earlier versions wrote the verb: "Software\Classes\<type>\shell" for the type ".exe" names.
bool ProgramShellKeyPath(std::string& path) {
    RegistryKey extension;
    if (!extension.Open(HKEY_CLASSES_ROOT, ".exe")) return false;
    std::string type = extension.ReadString(nullptr, "");
    if (type.empty() || type.size() >= 128) return false;
    path = "Software\\Classes\\" + type + "\\shell";
    return true;
}

std::string RowValue(const VerbRow& row, const std::string& menuText) {
    if (row.text[0] == '$') return menuText;
    if (row.text[0] == '=') return TheApp()->AppName();
    if (row.text[0] != '\0') return row.text;
    return "\"" + ProgramPath() + "\" /n \"%1\"";
}

// Subkeys before their parents.
void RemoveVerbUnder(const std::string& shell) {
    for (int row = VerbRows - 1; row >= 0; --row)
        RegDeleteKeyA(HKEY_CURRENT_USER, (shell + "\\" + VerbTable[row].subkey).c_str());
}

void RemoveProgramsOnlyVerb() {
    std::string shell;
    if (ProgramShellKeyPath(shell)) RemoveVerbUnder(shell);
}
}  // namespace

void WriteQuickNewVerb(const std::string& menuText) {
    if (TheApp()->Settings().IsPortable()) return;
    // A verb naming no program, or a cut path, would start something else.
    if (ProgramPath().empty()) return;
    RemoveProgramsOnlyVerb();
    for (const char* shell : ShellKeys) {
        for (const VerbRow& row : VerbTable) {
            RegistryKey key;
            if (key.Create(HKEY_CURRENT_USER, (std::string(shell) + "\\" + row.subkey).c_str()))
                key.SetString(nullptr, RowValue(row, menuText).c_str());
        }
    }
}

void RemoveQuickNewVerb() {
    if (TheApp()->Settings().IsPortable()) return;
    for (const char* shell : ShellKeys) RemoveVerbUnder(shell);
    RemoveProgramsOnlyVerb();
}
