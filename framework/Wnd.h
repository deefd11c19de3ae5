// Thin, non-owning holder of an HWND. One static procedure hands every message to the
// object attached to the window, which answers in OnMessage (a switch) or lets the
// window's previous procedure handle it.
#pragma once
#include <windows.h>
#include <string>

// Runs a message handler so that no C++ exception (std::bad_alloc from a string, say) crosses
// into the system's callback: a handler that throws has answered 0.
template <typename Handler>
auto CallWithoutThrowing(Handler handler) noexcept -> decltype(handler()) {
    try {
        return handler();
    } catch (...) {
        return 0;
    }
}

// A window's whole text.
std::string WindowText(HWND window);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window by this framework, or null for foreign windows.
    static CWnd* FromHandlePermanent(HWND window);

    // The procedure for window classes whose windows are made by CreateEx.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Creates a window and attaches this object: for a class registered with WindowProc at its
    // first message, so WM_NCCREATE and WM_CREATE already reach OnMessage; for any other class
    // (the system's) by subclassing once it exists.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menu);
    bool DestroyWindow();

    // Attaches this object to an existing window by replacing its procedure.
    bool SubclassWindow(HWND window);

    // A command (menu item, button, accelerator) this window handles itself; true when handled.
    virtual bool OnCommand(UINT id, UINT code, HWND control);

    // Sends an unhandled command up the owner chain and then to the application object.
    static bool RouteCommandUpward(HWND from, UINT id, UINT code, HWND control);

protected:
    // Returns true when the message was handled and result holds the answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The handling the window would get without this object.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message (WM_NCDESTROY) once the object has been detached.
    virtual void PostNcDestroy() {}

    void Attach(HWND window);
    void Detach();

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // One message to OnMessage (or the previous procedure); detaches after the last one.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC m_previousProc = nullptr;
};
