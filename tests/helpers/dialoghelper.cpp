// A program the driver's own tests control completely (the real program may change under them).
//   dialoghelper                 shows an OK/Cancel message box; the exit code is the button (IDOK 1, IDCANCEL 2)
//   dialoghelper exit N          exits at once with code N
//   dialoghelper env NAME VALUE  exit code 0 when variable NAME is VALUE, 1 when it differs, 2 when unset
//   dialoghelper file NAME       exit code 0 when NAME exists relative to the working folder, else 1
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kCaption = "Driver Helper";
constexpr const char* kText = "Press a button.";

int CompareVariable(const char* name, const char* expected) {
    char value[1024];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return 2;
    if (length >= sizeof(value)) return 1;  // longer than anything a test sets
    return std::strcmp(value, expected) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "exit") == 0) return std::atoi(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "env") == 0) return CompareVariable(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "file") == 0)
        return GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES ? 0 : 1;
    if (argc != 1) return 100;
    return MessageBoxA(nullptr, kText, kCaption, MB_OKCANCEL | MB_ICONINFORMATION);
}
