#include "framework/PropertyPage.h"
#include "framework/WinApp.h"

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId, nullptr) {
    if (captionId) {
        char text[256];
        HINSTANCE instance = ProgramInstance();
        if (LoadStringA(instance, captionId, text, sizeof text) > 0) m_caption = text;
    }
}

void CPropertyPage::SetModified(bool changed) {
    HWND sheet = m_hWnd ? GetParent(m_hWnd) : nullptr;
    if (sheet) SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::FillPageDescription(PROPSHEETPAGEA& page) {
    page = PROPSHEETPAGEA();
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT | (m_caption.empty() ? 0 : PSP_USETITLE) | (HelpIsAnswered() ? PSP_HASHELP : 0);
    page.hInstance = ProgramInstance();
    page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
    page.pszTitle = m_caption.c_str();
    page.pfnDlgProc = &CPropertyPage::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
}

bool CPropertyPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        switch (header->code) {
        case PSN_SETACTIVE: result = OnSetActive() ? 0 : -1; return true;
        case PSN_KILLACTIVE: result = OnKillActive() ? FALSE : TRUE; return true;
        case PSN_APPLY: result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; return true;
        case PSN_RESET: OnReset(); result = 0; return true;
        // The sheet's own Help button: the same command as every template's Help button.
        case PSN_HELP: SendMessageA(m_hWnd, WM_COMMAND, HelpCommandId, 0); result = 0; return true;
        }
    }
    // A page is not a modal dialog: IDOK and IDCANCEL belong to the sheet.
    return CWnd::OnMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const PROPSHEETPAGEA* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        CPropertyPage* object = reinterpret_cast<CPropertyPage*>(page->lParam);
        object->Attach(window);
        return CallWithoutThrowing([&]() -> INT_PTR { return object->OnInitDialog(); });
    }
    CPropertyPage* object = static_cast<CPropertyPage*>(FromHandlePermanent(window));
    INT_PTR answer = CallWithoutThrowing([&] { return AnswerDialogMessage(object, window, message, wParam, lParam); });
    if (message == WM_NCDESTROY && object) object->Detach();
    return answer;
}
