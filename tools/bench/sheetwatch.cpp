// Measures how long the first settings sheet of a fresh start takes to open: starts EXE, waits
// until its main window answers, tells it the pointer is on an icon, asks for a new shortcut's
// sheet as the icon's menu would and times until the sheet is shown. Repeats ROUNDS times and prints the median in milliseconds.
//   sheetwatch EXE ROUNDS
#include <windows.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace {
const UINT NewIconCommand = 32774;
const UINT TrayCallbackMessage = WM_USER + 100;

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

HWND WindowOf(DWORD processId, const char* className, const char* title, bool visible) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window;
         window = FindWindowExA(nullptr, window, className, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (!visible || IsWindowVisible(window))) return window;
    }
    return nullptr;
}

// One start; the milliseconds to the sheet, or a negative number when it did not come.
double OneRound(const char* exe) {
    char line[MAX_PATH + 2];
    snprintf(line, sizeof line, "\"%s\"", exe);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    HWND main = nullptr;
    for (int wait = 0; wait < 3000 && !main; ++wait, Sleep(10)) main = WindowOf(process.dwProcessId, "QX:Velkator", nullptr, false);
    DWORD_PTR answer = 0;
    double took = -1;
    if (main && SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 30000, &answer)) {
        Sleep(500);  // let the start settle
        // A person first points at an icon, then opens its menu and picks an entry: a quarter of
        // a second is quick for that. (Icon 1 or not, a move only tells the program someone is there.)
        PostMessageA(main, TrayCallbackMessage, 0, MAKELPARAM(WM_MOUSEMOVE, 1));
        Sleep(250);
        const double asked = NowMs();
        PostMessageA(main, WM_COMMAND, NewIconCommand, 0);
        for (int wait = 0; wait < 30000; ++wait) {
            if (WindowOf(process.dwProcessId, "#32770", "Velkator Settings", true)) {
                took = NowMs() - asked;
                break;
            }
            Sleep(1);
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return took;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: sheetwatch EXE ROUNDS\n");
        return 1;
    }
    std::vector<double> times;
    for (int round = 0; round < atoi(argv[2]); ++round) {
        const double took = OneRound(argv[1]);
        if (took < 0) {
            fprintf(stderr, "sheetwatch: no sheet in round %d\n", round + 1);
            return 1;
        }
        times.push_back(took);
    }
    std::sort(times.begin(), times.end());
    printf("first_sheet_ms=%.1f\n", times[times.size() / 2]);
    return 0;
}
