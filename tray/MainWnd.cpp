#include "tray/MainWnd.h"
#include "dialogs/DialogOpen.h"
#include "framework/SystemCalls.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/LegacyIni.h"
#include <dde.h>

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
    // Run as administrator, the system would drop what other programs send here: the shell's
    // "TaskbarCreated", Explorer's DDE for the verb, and message 143.
    for (UINT message : {TaskbarCreatedMessage, UINT(WM_DDE_INITIATE), UINT(WM_DDE_EXECUTE), UINT(WM_DDE_TERMINATE),
                         LaunchItemMessage})
        System.changeMessageFilter(m_hWnd, message, MSGFLT_ALLOW, nullptr);
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
    case WM_TIMER:
        if (m_icons.OnTimer(wParam, m_shortcuts)) {
            result = 0;
            return true;
        }
        break;
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
        m_icons.Refresh(m_shortcuts);
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETICONMETRICS || wParam == SPI_SETNONCLIENTMETRICS) m_icons.Refresh(m_shortcuts);
        break;
    case StartupActionMessage:
        if (!StartupNewPath.empty()) NewShortcutFromPath(StartupNewPath);
        // A program without icons could not be reached again: offer the first one.
        if (m_shortcuts.Count() == 0) RunFirstTimeFlow();
        result = 0;
        return true;
    case WM_CLOSE:
        // A close request from outside (an installer's) waits while a dialog is open: closing
        // the window under it would throw away what the user is entering there.
        if (TheApp()->ModalDepth != 0) {
            result = 0;
            return true;
        }
        break;
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
