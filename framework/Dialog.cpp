#include "framework/Dialog.h"
#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

INT_PTR CDialog::DoModal() {
    ModalScope modal;
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(m_templateId), m_parent, &CDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_hWnd) ::EndDialog(m_hWnd, result);
}

bool CDialog::HelpIsAnswered() {
    return TheApp() && TheApp()->HandlesCommand(HelpCommandId);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    // A Help button that nothing would answer is not shown.
    if (HWND help = GetDlgItem(m_hWnd, HelpCommandId)) {
        if (!HelpIsAnswered()) ShowWindow(help, SW_HIDE);
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::UpdateData(bool save) {
    return DoDataExchange(save);
}

void CDialog::CenterWindow(HWND alternateOwner) {
    if (!m_hWnd) return;
    HWND owner = alternateOwner ? alternateOwner : GetWindow(m_hWnd, GW_OWNER);
    RECT window, area;
    GetWindowRect(m_hWnd, &window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT workArea = monitor.rcWork;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    else
        area = workArea;
    int width = window.right - window.left, height = window.bottom - window.top;
    int left = (area.left + area.right - width) / 2;
    int top = (area.top + area.bottom - height) / 2;
    // Keep the whole dialog inside the work area.
    if (left + width > workArea.right) left = workArea.right - width;
    if (top + height > workArea.bottom) top = workArea.bottom - height;
    if (left < workArea.left) left = workArea.left;
    if (top < workArea.top) top = workArea.top;
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Enter, Escape and the close box arrive as IDOK and IDCANCEL too.
    if (message == WM_COMMAND && HIWORD(wParam) == 0) {
        UINT id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            if (!OnCommand(id, 0, reinterpret_cast<HWND>(lParam))) {
                if (id == IDOK) OnOK(); else OnCancel();
            }
            result = 0;
            return true;
        }
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}

INT_PTR CDialog::AnswerDialogMessage(CDialog* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!object || !object->OnMessage(message, wParam, lParam, result)) return FALSE;
    switch (message) {
    // These messages return their answer directly instead of through DWLP_MSGRESULT.
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
    case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
        return static_cast<INT_PTR>(result);
    }
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->Attach(window);
        return CallWithoutThrowing([&]() -> INT_PTR {
            RECT before, after;
            GetWindowRect(window, &before);
            BOOL focusDefault = dialog->OnInitDialog();
            GetWindowRect(window, &after);
            if (before.left == after.left && before.top == after.top) dialog->CenterWindow();
            return focusDefault;
        });
    }
    CDialog* object = static_cast<CDialog*>(FromHandlePermanent(window));
    INT_PTR answer = CallWithoutThrowing([&] { return AnswerDialogMessage(object, window, message, wParam, lParam); });
    if (message == WM_NCDESTROY && object) object->Detach();
    return answer;
}
