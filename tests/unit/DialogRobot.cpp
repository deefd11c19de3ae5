#include "DialogRobot.h"

namespace {
DialogRobot* g_robot = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16];
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

DialogRobot::DialogRobot() {
    g_robot = this;
    m_timer = SetTimer(nullptr, 0, 30, &DialogRobot::OnTimer);
}

DialogRobot::~DialogRobot() {
    KillTimer(nullptr, m_timer);
    g_robot = nullptr;
}

void DialogRobot::Then(Action action) {
    m_actions.push_back(std::move(action));
}

void CALLBACK DialogRobot::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_robot) g_robot->Poll();
}

void DialogRobot::Poll() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || dialog == m_lastDialog) return;
    m_lastDialog = dialog;
    ++m_seen;
    if (m_actions.empty()) return;
    Action action = std::move(m_actions.front());
    m_actions.pop_front();
    action(dialog);
}

DialogRobot::Action DialogRobot::Press(int buttonId) {
    return [buttonId](HWND dialog) {
        HWND button = GetDlgItem(dialog, buttonId);
        if (button && IsWindowEnabled(button) && IsWindowVisible(button)) SendMessageA(button, BM_CLICK, 0, 0);
    };
}

DialogRobot::Action DialogRobot::Close() {
    return [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); };
}

DialogRobot::Action DialogRobot::Key(WORD virtualKey) {
    return [virtualKey](HWND dialog) {
        HWND focus = GetFocus();
        HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
        PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
        PostMessageA(target, WM_KEYUP, virtualKey, 0xC0000001);
    };
}

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < ms) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}
