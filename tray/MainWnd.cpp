#include "tray/MainWnd.h"
#include "dialogs/DialogOpen.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/LegacyIni.h"

const char* const CMainWnd::ClassName = "QX:Velkator";

namespace {
// Sent to every top-level window when the taskbar is (re)created, e.g. after the shell restarts.
const UINT TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
}

std::string SpecialItemTitle(ShortcutKind kind) {
    return GetText(TipKey(kind).c_str());
}

void CMainWnd::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &CWnd::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELKATOR));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName;
    RegisterClassA(&windowClass);
}

CMainWnd::CMainWnd() : m_shortcuts(&m_icons) {
    DialogOpenFlag = false;
}

bool CMainWnd::Create() {
    return CFrameWnd::Create(ClassName, "Velkator");
}

int CMainWnd::OnCreate(CREATESTRUCTA*) {
    m_icons.SetOwner(m_hWnd);
    m_shortcuts.Load(LegacyIniPath(), &SpecialItemTitle);
    // Dialogs wait until the window exists and the message loop runs.
    PostMessageA(m_hWnd, StartupActionMessage, 0, 0);
    return 0;
}

bool CMainWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == TaskbarCreatedMessage && message != 0) {
        AddAllIcons();
        result = 0;
        return true;
    }
    switch (message) {
    case TrayCallbackMessage:
        result = OnTrayNotify(wParam, lParam);
        return true;
    case LaunchItemMessage:
        LaunchItem(wParam, static_cast<UINT>(lParam));
        result = 1;
        return true;
    case StartupActionMessage:
        if (!StartupNewPath.empty()) NewShortcutFromPath(StartupNewPath);
        // A program without icons could not be reached again: offer the first one.
        if (m_shortcuts.Count() == 0) RunFirstTimeFlow();
        result = 0;
        return true;
    case WM_DESTROY:
        RemoveAllIcons();
        break;
    }
    return CFrameWnd::OnMessage(message, wParam, lParam, result);
}

void CMainWnd::AddAllIcons() {
    for (int i = 0; i < m_shortcuts.Count(); ++i)
        if (i != m_shortcuts.PendingIndex()) m_icons.ShortcutAdded(m_shortcuts.At(i));
}

void CMainWnd::RemoveAllIcons() {
    for (int i = 0; i < m_shortcuts.Count(); ++i) m_icons.ShortcutRemoved(m_shortcuts.At(i).IconId);
}

void CMainWnd::RetitleSpecialIcons() {
    m_shortcuts.Retitle(&SpecialItemTitle);
}
