#include "dialogs/ChangeIconDlg.h"
#include "dialogs/ShowMessage.h"
#include "framework/Display.h"
#include "framework/FileDialog.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/IconLoader.h"
#include <shellapi.h>
#include <algorithm>

namespace {
const HelpTableEntry ChangeIconHelpTable[] = {
    {IDC_CI_FILE, "hlpIconFileName"},
    {IDC_CI_LIST, "hlpIconList"},
    {IDC_CI_BROWSE, "hlpIconBrowse"},
    {0, nullptr},
};

// Posted to the dialog when the chosen file holds no icons, so the message shows once it is up.
const UINT NoIconsMessage = RegisterWindowMessageA("VK:NoIcons");
// A cell is the large icon with a 4-pixel margin round it (40 pixels at 96 DPI).
int CellSize(UINT dpi) {
    return IconPixels(false, dpi) + ScaleForDpi(8, dpi);
}
}  // namespace

CChangeIconDlg::CChangeIconDlg(HWND parent, const std::string& path, bool isIconPath)
    : CContextHelpDialog(IDD_CHANGE_ICON, parent), m_file(path) {
    if (!isIconPath || !SplitIconPath(path, m_file, m_index)) m_index = -1;
}

CChangeIconDlg::~CChangeIconDlg() {
    EmptyIconList();
}

std::string CChangeIconDlg::IconPath() const {
    return m_file + "," + std::to_string(m_index);
}

std::string CChangeIconDlg::FileText() const {
    return WindowText(GetDlgItem(m_hWnd, IDC_CI_FILE));
}

BOOL CChangeIconDlg::OnInitDialog() {
    CContextHelpDialog::OnInitDialog();
    SetDlgItemTextA(m_hWnd, IDC_CI_FILE, m_file.c_str());
    // Square cells: the list is made before the dialog can answer WM_MEASUREITEM.
    const int cell = CellSize(WindowDpi(m_hWnd));
    SendDlgItemMessageA(m_hWnd, IDC_CI_LIST, LB_SETCOLUMNWIDTH, cell, 0);
    SendDlgItemMessageA(m_hWnd, IDC_CI_LIST, LB_SETITEMHEIGHT, 0, cell);
    if (!m_file.empty()) FillIconList();
    EnableWindow(GetDlgItem(m_hWnd, IDOK), m_index != -1);
    LocaliseDialog(m_hWnd);
    m_editChanged = false;
    return TRUE;
}

void CChangeIconDlg::EmptyIconList() {
    if (HWND list = m_hWnd ? GetDlgItem(m_hWnd, IDC_CI_LIST) : nullptr) SendMessageA(list, LB_RESETCONTENT, 0, 0);
    m_icons.clear();
}

void CChangeIconDlg::FillIconList() {
    EmptyIconList();
    const std::string file = FileText();
    // An icon file whose directory does not fit it is never handed to the system.
    UINT count = IconDirectoryFits(file) ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(ExtractIconA(
                                               ProgramInstance(), file.c_str(), static_cast<UINT>(-1))))
                                         : 0;
    // A missing file answers 0xFFFFFFFF or 0 depending on the system; neither has icons to show.
    if (count == 0 || count == 0xFFFFFFFFu) {
        PostMessageA(m_hWnd, NoIconsMessage, 0, 0);
        return;
    }
    count = std::min(count, MaxListedIcons);
    HWND list = GetDlgItem(m_hWnd, IDC_CI_LIST);
    // One icon per call: asked for several at once, some systems fill in only the first.
    const int size = IconPixels(false, WindowDpi(m_hWnd));
    for (UINT number = 0; number < count; ++number) {
        HICON icon = nullptr;
        UINT resourceId = 0;
        if (PrivateExtractIconsA(file.c_str(), static_cast<int>(number), size, size, &icon, &resourceId, 1, 0) != 1 ||
            !icon)
            continue;
        m_icons.emplace_back(icon);
        const LRESULT entry = SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(number));
        if (static_cast<int>(number) == m_index) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    }
    SendDlgItemMessageA(m_hWnd, IDC_CI_FILE, EM_SETMODIFY, FALSE, 0);
}

void CChangeIconDlg::Browse() {
    m_editChanged = false;
    std::string filter = GetText("ciBrowseFilterName") + "|*.ico;*.exe;*.dll;*.cpl|";
    CFileDialog dialog(true, "exe", FileText().c_str(), CFileDialog::OpenExisting, filter.c_str(), m_hWnd);
    dialog.Title = GetText("ciBrowseTitle");
    if (dialog.DoModal() != IDOK) return;
    SetDlgItemTextA(m_hWnd, IDC_CI_FILE, dialog.GetPathName().c_str());
    m_index = -1;
    EnableWindow(GetDlgItem(m_hWnd, IDOK), FALSE);
    m_file = FileText();
    FillIconList();
}

void CChangeIconDlg::OnNoIcons() {
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    UpdateWindow(m_hWnd);
    ShowMessage("ciNoIconMsg", MB_ICONEXCLAMATION);
    PostMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, IDC_CI_FILE)), TRUE);
    m_editChanged = false;
}

void CChangeIconDlg::OnOK() {
    m_file = FileText();
    EndDialog(IDOK);
}

bool CChangeIconDlg::OnCommand(UINT id, UINT code, HWND) {
    switch (id) {
    case IDC_CI_FILE:
        if (code == EN_CHANGE) m_editChanged = true;
        if (code == EN_KILLFOCUS && m_editChanged) {
            m_editChanged = false;
            HWND focus = GetFocus();
            // Browse and Cancel take the focus from the field without asking for a new list.
            if (focus != GetDlgItem(m_hWnd, IDC_CI_BROWSE) && focus != GetDlgItem(m_hWnd, IDCANCEL)) {
                m_index = -1;
                EnableWindow(GetDlgItem(m_hWnd, IDOK), FALSE);
                m_file = FileText();
                FillIconList();
            }
        }
        return true;
    case IDC_CI_LIST:
        if (code == LBN_SELCHANGE) {
            const LRESULT entry = SendDlgItemMessageA(m_hWnd, IDC_CI_LIST, LB_GETCURSEL, 0, 0);
            m_index = entry < 0 ? -1
                                : static_cast<int>(SendDlgItemMessageA(m_hWnd, IDC_CI_LIST, LB_GETITEMDATA,
                                                                       static_cast<WPARAM>(entry), 0));
            EnableWindow(GetDlgItem(m_hWnd, IDOK), m_index != -1);
        } else if (code == LBN_DBLCLK && m_index != -1) {
            OnOK();
        }
        return true;
    case IDC_CI_BROWSE:
        if (code == BN_CLICKED) Browse();
        return true;
    }
    return false;
}

void CChangeIconDlg::DrawItem(const DRAWITEMSTRUCT& item) {
    OwnedBrush highlight;
    HBRUSH brush;
    if (item.itemState & ODS_SELECTED) {
        highlight.reset(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
        brush = highlight.get();
    } else {
        brush = reinterpret_cast<HBRUSH>(
            SendMessageA(m_hWnd, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(item.hDC),
                         reinterpret_cast<LPARAM>(item.hwndItem)));
    }
    if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
    FillRect(item.hDC, &item.rcItem, brush);
    const int iconSize = IconPixels(false, WindowDpi(m_hWnd));
    int margin = (item.rcItem.bottom - item.rcItem.top - iconSize) >> 1;
    if (item.itemID < m_icons.size())
        DrawIconEx(item.hDC, item.rcItem.left + margin, item.rcItem.top + margin, m_icons[item.itemID].get(), iconSize,
                   iconSize, 0, brush, DI_NORMAL);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

bool CChangeIconDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == NoIconsMessage && message != 0) {
        OnNoIcons();
        result = 0;
        return true;
    }
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_DESTROY:
        EmptyIconList();  // the list's icons go with it
        break;
    }
    return CContextHelpDialog::OnMessage(message, wParam, lParam, result);
}

const HelpTableEntry* CChangeIconDlg::GetHelpTable() const {
    return ChangeIconHelpTable;
}
