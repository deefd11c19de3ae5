#include "framework/PropertySheet.h"
#include "framework/WinApp.h"

namespace {
// The system's callback carries no user pointer; sheets are modal, so one at a time is made.
CPropertySheet* g_sheetBeingCreated = nullptr;

struct DialogTemplateEx {  // the leading fields of DLGTEMPLATEEX
    WORD version;
    WORD signature;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
};
}  // namespace

CPropertySheet::CPropertySheet(const char* caption, HWND parent, UINT startPage)
    : m_caption(caption ? caption : ""), m_parent(parent), m_startPage(startPage) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
    m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[index] : nullptr;
}

void CPropertySheet::AddTemplateExStyle(DLGTEMPLATE* sheetTemplate, DWORD exStyle) {
    DialogTemplateEx* extended = reinterpret_cast<DialogTemplateEx*>(sheetTemplate);
    if (extended->signature == 0xFFFF)
        extended->exStyle |= exStyle;
    else
        sheetTemplate->dwExtendedStyle |= exStyle;
}

int CALLBACK CPropertySheet::SheetCallback(HWND window, UINT message, LPARAM lParam) {
    CPropertySheet* sheet = g_sheetBeingCreated;
    if (!sheet) return 0;
    return CallWithoutThrowing([&] {
        if (message == PSCB_PRECREATE && lParam) {
            sheet->OnPreCreate(reinterpret_cast<DLGTEMPLATE*>(lParam));
        } else if (message == PSCB_INITIALIZED) {
            g_sheetBeingCreated = nullptr;
            sheet->SubclassWindow(window);
            sheet->OnInitDialog();
        }
        return 0;
    });
}

namespace {
// Only the loader's own work runs here, so nothing of the program is shared with this thread. The
// library stays loaded: the sheet takes the same module when it first needs it.
DWORD WINAPI LoadCommonControls(void*) {
    LoadLibraryExA("comctl32.dll", nullptr, 0);
    return 0;
}

// The common controls load with the first sheet: a start that only shows icons needs none.
void InitialiseCommonControls() {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}
}  // namespace

void CPropertySheet::LoadControlsAhead() {
    static bool started = false;
    if (started) return;
    started = true;
    // Without the thread the sheet loads them itself.
    HANDLE thread = CreateThread(nullptr, 0, &LoadCommonControls, nullptr, 0, nullptr);
    if (thread) CloseHandle(thread);
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty() || m_hWnd) return -1;
    std::vector<PROPSHEETPAGEA> descriptions(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->FillPageDescription(descriptions[i]);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | (CDialog::HelpIsAnswered() ? PSH_HASHELP : 0);
    header.hwndParent = m_parent;
    header.hInstance = ProgramInstance();
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = m_startPage < header.nPages ? m_startPage : 0;
    header.ppsp = descriptions.data();
    header.pfnCallback = &CPropertySheet::SheetCallback;
    m_closedWithOk = false;
    InitialiseCommonControls();
    g_sheetBeingCreated = this;
    ModalScope modal;
    INT_PTR shown = PropertySheetA(&header);
    g_sheetBeingCreated = nullptr;
    if (shown < 0) return -1;
    return m_closedWithOk ? IDOK : IDCANCEL;
}

bool CPropertySheet::SetActivePage(int index) {
    return m_hWnd && SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    if (!m_hWnd) return nullptr;
    HWND page = reinterpret_cast<HWND>(SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    return static_cast<CPropertyPage*>(FromHandlePermanent(page));
}

bool CPropertySheet::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
        result = DefaultProc(message, wParam, lParam);
        // The sheet has no current page any more once OK has closed it; a page that refused
        // its apply keeps it open.
        if (!SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)) m_closedWithOk = true;
        return true;
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}
