#include "tray/MainWnd.h"
#include "framework/SystemCalls.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "store/LegacyIni.h"
#include "tray/DeskIconIndices.h"
#include <dde.h>

const char* const CMainWnd::ClassName = "QX:Velkator";

namespace {
// Sent to every top-level window when the taskbar is (re)created, e.g. after the shell restarts.
const UINT TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
// Posted to itself at creation: what start-up does once the window and the message loop exist.
const UINT StartupActionMessage = WM_APP + 1;
// Posted by the shell when file associations or its image list change.
const UINT IconChangeMessage = WM_APP + 2;
}  // namespace

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

CMainWnd::CMainWnd(const std::string& startupNewPath)
    : m_shortcuts(&m_icons), m_launcher(m_hWnd), m_commands(m_hWnd, m_shortcuts),
      m_clicks(m_hWnd, m_shortcuts, m_launcher, m_commands), m_startupNewPath(startupNewPath) {}

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
    DesktopIconIndices().StartWatching(m_hWnd, IconChangeMessage);
    m_darkMenus.Follow();
    m_shortcuts.Load(LegacyIniPath(), &SpecialItemTitle);
    PostMessageA(m_hWnd, StartupActionMessage, 0, 0);
    return 0;
}

bool CMainWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == TaskbarCreatedMessage && message != 0) {
        m_icons.AddAll(m_shortcuts);
        return true;
    }
    switch (message) {
    case TrayCallbackMessage:
        result = m_clicks.OnNotify(wParam, lParam);
        return true;
    case LaunchItemMessage:
        m_clicks.LaunchNumber(wParam);
        result = 1;
        return true;
    case WM_TIMER:
        if (m_icons.OnTimer(wParam, m_shortcuts)) return true;
        break;
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
        m_icons.Refresh(m_shortcuts);
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETICONMETRICS || wParam == SPI_SETNONCLIENTMETRICS) m_icons.Refresh(m_shortcuts);
        if (DarkMenus::ConcernsMenus(wParam, lParam)) m_darkMenus.Follow();
        break;
    case IconChangeMessage:
        DesktopIconIndices().OnChange(wParam, lParam);
        return true;
    case StartupActionMessage:
        if (!m_startupNewPath.empty()) m_commands.NewShortcutFromPath(m_startupNewPath);
        // A program without icons could not be reached again: offer the first one.
        if (m_shortcuts.Count() == 0) m_commands.RunFirstTimeFlow();
        return true;
    case WM_CLOSE:
        // A close request from outside (an installer's) waits while a dialog is open: closing
        // the window under it would throw away what the user is entering there.
        if (TheApp()->ModalDepth != 0) return true;
        break;
    case WM_DESTROY:
        DesktopIconIndices().StopWatching();
        m_icons.RemoveAll(m_shortcuts);
        break;
    }
    return CFrameWnd::OnMessage(message, wParam, lParam, result);
}

bool CMainWnd::OnCommand(UINT id, UINT, HWND) {
    if (!m_commands.Handles(id)) return false;
    m_commands.Run(id);
    return true;
}

bool CMainWnd::OnUpdateCommand(UINT id, bool& enabled) {
    enabled = m_commands.IsEnabled(id);
    return true;
}

bool CMainWnd::HasCommandHandler(UINT id) const {
    return m_commands.Handles(id);
}

void CMainWnd::RetitleSpecialIcons() {
    m_shortcuts.Retitle(&SpecialItemTitle);
}
