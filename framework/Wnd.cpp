#include "framework/Wnd.h"
#include "framework/WinApp.h"
#include <algorithm>

namespace {
// The attached object is kept in a window property, so it never clashes with
// GWLP_USERDATA or DWLP_USER of windows made by the system (dialogs, property sheets).
const char* const kObjectProperty = "Velkator.Object";
}  // namespace

std::string WindowText(HWND window) {
    // The length may be larger than the text (a multi-byte text reports its bytes at most).
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(std::max(0, GetWindowTextA(window, &text[0], static_cast<int>(text.size())))));
    return text;
}

CWnd::~CWnd() {
    // A window that outlives its object must not call into the freed object.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window ? static_cast<CWnd*>(GetPropA(window, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND window) {
    m_hWnd = window;
    SetPropA(window, kObjectProperty, this);
}

void CWnd::Detach() {
    if (m_hWnd) {
        if (m_previousProc) {
            SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
            m_previousProc = nullptr;
        }
        RemovePropA(m_hWnd, kObjectProperty);
    }
    m_hWnd = nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (!window || FromHandlePermanent(window)) return false;
    Attach(window);
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return m_previousProc != nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menu) {
    if (m_hWnd) return false;
    HINSTANCE instance = ProgramInstance();
    HWND window = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                                  instance, this);
    // A class of the system's never saw the object: take the window over now.
    if (window && !m_hWnd) SubclassWindow(window);
    // A failed WM_CREATE destroys the window, which has detached this object already.
    return window != nullptr && m_hWnd == window;
}

bool CWnd::DestroyWindow() {
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_previousProc) return CallWindowProcA(m_previousProc, m_hWnd, message, wParam, lParam);
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnCommand(UINT, UINT, HWND) {
    return false;
}

bool CWnd::RouteCommandUpward(HWND from, UINT id, UINT code, HWND control) {
    // Only plain commands travel (menu items, button clicks, accelerators), never notifications.
    // Code 1 is an accelerator only without a control; from a control it is a notification
    // such as LBN_SELCHANGE or CBN_SELCHANGE.
    if (code > 1 || (code == 1 && control)) return false;
    for (HWND window = GetParent(from); window; window = GetParent(window)) {
        CWnd* object = FromHandlePermanent(window);
        if (object && object->OnCommand(id, code, control)) return true;
    }
    return TheApp() && TheApp()->OnCommand(id);
}

bool CWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND) {
        UINT id = LOWORD(wParam), code = HIWORD(wParam);
        HWND control = reinterpret_cast<HWND>(lParam);
        if (OnCommand(id, code, control) || RouteCommandUpward(m_hWnd, id, code, control)) {
            result = 0;
            return true;
        }
    }
    return false;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWithoutThrowing([&] {
        LRESULT answer = 0;
        if (!OnMessage(message, wParam, lParam, answer)) answer = DefaultProc(message, wParam, lParam);
        return answer;
    });
    if (message == WM_NCDESTROY) {
        Detach();
        PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK CWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // CreateEx passes the object as the creation parameter: attached before any other message.
        CWnd* created = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (created && !created->m_hWnd) created->Attach(window);
    }
    CWnd* object = FromHandlePermanent(window);
    return object ? object->Dispatch(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = FromHandlePermanent(window);
    return object ? object->Dispatch(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}
