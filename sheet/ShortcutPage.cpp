#include "sheet/ShortcutPage.h"
#include "dialogs/ChangeIconDlg.h"
#include "dialogs/FileVersionInfo.h"
#include "dialogs/ShowMessage.h"
#include "framework/ComApartment.h"
#include "framework/Display.h"
#include "framework/FileDialog.h"
#include "framework/Path.h"
#include "framework/TextCut.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/IconLoader.h"
#include "store/ShortcutStore.h"
#include <shlobj.h>
#include <vector>

namespace {
const HelpTableEntry ShortcutPageHelpTable[] = {
    {IDC_PPG_NAME, "hlpPpgShortcutName"},
    {IDC_PPG_PATH, "hlpPpgProgramPath"},
    {IDC_PPG_BROWSE_PROGRAM, "hlpPpgBrowsePgm"},
    {IDC_PPG_STARTUP, "hlpPpgStartupPath"},
    {IDC_PPG_BROWSE_FOLDER, "hlpPpgBrowseStartup"},
    {IDC_PPG_ARGUMENTS, "hlpPpgArgs"},
    {IDC_PPG_PROMPT, "hlpPpgPrompt"},
    {IDC_PPG_RUN_STYLE, "hlpPpgRun"},
    {IDC_PPG_CHANGE_ICON, "hlpPpgBrowseIcon"},
    {IDC_PPG_RUN_AS, "hlpPpgRunAs"},
    {0, nullptr},
};

const int LockableControls[] = {IDC_PPG_NAME, IDC_PPG_PATH, IDC_PPG_BROWSE_PROGRAM, IDC_PPG_STARTUP,
                                IDC_PPG_BROWSE_FOLDER, IDC_PPG_PROMPT, IDC_PPG_RUN_STYLE, IDC_PPG_CHANGE_ICON,
                                IDC_PPG_RUN_AS};

}  // namespace

std::string FolderForProgram(const std::string& path) {
    return FileNameStart(path) == 0 ? path : FolderOf(path);
}

std::string NameForProgram(const std::string& path) {
    std::string name = GetFileVersionText(path.c_str(), false);
    if (name.empty() && FileNameStart(path) != 0) name = FileNameOf(path).substr(0, FileNameOf(path).find('.'));
    name.resize(CharacterPrefixLength(name, MaxNameBytes));
    return name;
}

std::string NameForFolder(const std::string& path) {
    std::string name = FileNameOf(path);
    name.resize(CharacterPrefixLength(name, MaxNameBytes));
    return name;
}

namespace {

void SetPreview(HWND control, OwnedIcon& owned, HICON icon) {
    SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    owned.reset(icon);  // the one it replaces is shown no more
    if (IsWindowVisible(control)) InvalidateRect(control, nullptr, TRUE);
}
}  // namespace

CShortcutPage::CShortcutPage(SheetState& state) : CContextHelpPage(IDD_SHORTCUT_PAGE), m_state(state) {
    SetCaption(GetText("ppgTitle"));
}

std::string CShortcutPage::Text(int id) const {
    return WindowText(GetDlgItem(m_hWnd, id));
}

BOOL CShortcutPage::OnInitDialog() {
    ApplyLockState();
    CContextHelpPage::OnInitDialog();
    LocaliseDialog(m_hWnd);
    SendDlgItemMessageA(m_hWnd, IDC_PPG_NAME, EM_LIMITTEXT, MaxNameBytes, 0);
    SendDlgItemMessageA(m_hWnd, IDC_PPG_PATH, EM_LIMITTEXT, MaxPathChars, 0);
    SendDlgItemMessageA(m_hWnd, IDC_PPG_STARTUP, EM_LIMITTEXT, MaxPathChars, 0);
    SendDlgItemMessageA(m_hWnd, IDC_PPG_ARGUMENTS, EM_LIMITTEXT, MaxArgumentsChars, 0);
    // "Normal window,Maximized,Minimized": run styles 1, 2 and 3.
    std::string styles = GetText("ppgRunType").substr(0, 199) + ",";
    for (size_t start = 0, comma; (comma = styles.find(',', start)) != std::string::npos; start = comma + 1)
        SendDlgItemMessageA(m_hWnd, IDC_PPG_RUN_STYLE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(styles.substr(start, comma - start).c_str()));
    UpdateIconPreview();
    // A record filled from a path is checked as soon as the sheet is up.
    if (m_state.NewItemPending() && !m_state.Shortcuts.At(m_state.SelectedIndex).Name.empty())
        PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_PPG_NAME, EN_CHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_hWnd, IDC_PPG_NAME)));
    PostMessageA(GetDlgItem(m_hWnd, IDC_PPG_NAME), EM_SETSEL, 0, -1);
    return TRUE;
}

void CShortcutPage::LoadRecord() {
    if (m_state.SelectedIndex < 0 || m_state.SelectedIndex >= m_state.Shortcuts.Count()) return;
    const ShortcutItem& record = m_state.Shortcuts.At(m_state.SelectedIndex);
    SetDlgItemTextA(m_hWnd, IDC_PPG_NAME, record.Name.c_str());
    SetDlgItemTextA(m_hWnd, IDC_PPG_PATH, record.Path.c_str());
    SetDlgItemTextA(m_hWnd, IDC_PPG_STARTUP, record.Startup.c_str());
    SetDlgItemTextA(m_hWnd, IDC_PPG_ICON_PATH, record.IconPath.c_str());
    SetDlgItemTextA(m_hWnd, IDC_PPG_ARGUMENTS, record.Arguments.c_str());
    CheckDlgButton(m_hWnd, IDC_PPG_PROMPT, record.Prompt ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_PPG_RUN_AS, record.RunAs ? BST_CHECKED : BST_UNCHECKED);
    // The list holds the styles in their stored order, from 1.
    SendDlgItemMessageA(m_hWnd, IDC_PPG_RUN_STYLE, CB_SETCURSEL, static_cast<WPARAM>(record.Style) - 1, 0);
    UpdateArgumentsEnabling();
    SetModified(false);
    UpdateIconPreview();
    m_state.ListedName = record.Name;
}

bool CShortcutPage::OnSetActive() {
    ApplyLockState();
    m_state.ListedName = Text(IDC_PPG_NAME);
    return true;
}

void CShortcutPage::Validate() {
    const std::string name = Text(IDC_PPG_NAME), path = Text(IDC_PPG_PATH);
    const bool storable = name.empty() || IsStorableName(name);
    // A special icon's word would make the shortcut that icon; a text longer than the fields take
    // (chosen by Browse, or stored so) could not be launched.
    const bool usablePath = !IsSpecialKind(path) && WideLength(path) <= MaxPathChars &&
                            WideLength(Text(IDC_PPG_STARTUP)) <= MaxPathChars &&
                            WideLength(Text(IDC_PPG_ARGUMENTS)) <= MaxArgumentsChars;
    const bool taken = m_state.NewItemPending() && m_state.Shortcuts.IsNameTaken(name, m_state.SelectedIndex);
    const bool acceptable = !name.empty() && storable && !taken && !path.empty() && usablePath;
    // A name or path that cannot be stored says why; a taken name keeps OK off as an empty one does.
    // A portable copy's file holds fewer names than the registry.
    const bool fileRule = TheApp()->Settings().IsPortable() && !TheApp()->Settings().CanStoreName(name);
    const char* reason = !storable     ? (fileRule ? "ppgBadFileName" : "ppgBadName")
                         : !usablePath ? "ppgBadPath"
                                       : nullptr;
    HWND problem = GetDlgItem(m_hWnd, IDC_PPG_PROBLEM);
    SetWindowTextA(problem, reason ? GetText(reason).c_str() : "");
    ShowWindow(problem, reason ? SW_SHOW : SW_HIDE);
    EnableWindow(GetDlgItem(GetParent(m_hWnd), IDOK), acceptable);
    SetModified(acceptable);
    m_state.EditedName = name;
}

void CShortcutPage::ApplyLockState() {
    for (int id : LockableControls) EnableWindow(GetDlgItem(m_hWnd, id), !m_state.IsLocked());
    UpdateArgumentsEnabling();
}

void CShortcutPage::UpdateArgumentsEnabling() {
    EnableWindow(GetDlgItem(m_hWnd, IDC_PPG_ARGUMENTS),
                 !m_state.IsLocked() && IsDlgButtonChecked(m_hWnd, IDC_PPG_PROMPT) != BST_CHECKED);
}

void CShortcutPage::UpdateIconPreview() {
    const std::string iconPath = Text(IDC_PPG_ICON_PATH), program = Text(IDC_PPG_PATH);
    const UINT dpi = WindowDpi(m_hWnd);
    SetPreview(GetDlgItem(m_hWnd, IDC_PPG_LARGE_ICON), m_largePreview, LoadShortcutIcon(iconPath, program, false, dpi));
    SetPreview(GetDlgItem(m_hWnd, IDC_PPG_SMALL_ICON), m_smallPreview, LoadShortcutIcon(iconPath, program, true, dpi));
}

void CShortcutPage::BrowseForProgram() {
    std::string filter = GetText("ppgBrowseFilterName1") + "|*.exe;*.com;*.bat|" + GetText("ppgBrowseFilterName2") +
                         "|*.*||";
    CFileDialog dialog(true, "exe", Text(IDC_PPG_PATH).c_str(), CFileDialog::OpenExisting, filter.c_str(),
                       GetParent(m_hWnd));
    dialog.Title = GetText("ppgBrowseTitle");
    if (dialog.DoModal() != IDOK) return;
    const std::string path = dialog.GetPathName();
    SetDlgItemTextA(m_hWnd, IDC_PPG_PATH, path.c_str());
    SetDlgItemTextA(m_hWnd, IDC_PPG_STARTUP, FolderForProgram(path).c_str());
    if (Text(IDC_PPG_NAME).empty()) SetDlgItemTextA(m_hWnd, IDC_PPG_NAME, NameForProgram(path).c_str());
    SetDlgItemTextA(m_hWnd, IDC_PPG_ICON_PATH, "");
    UpdateIconPreview();
}

void CShortcutPage::BrowseForFolder() {
    EnsureComApartment();  // the folder picker is a COM object
    char displayName[MAX_PATH] = "";
    std::string title = GetText("ppgFolderBrowseTitle");
    BROWSEINFOA browse = {};
    browse.hwndOwner = GetParent(m_hWnd);  // the sheet: it waits while the picker is open
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.c_str();
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    if (!chosen) return;
    char folder[MAX_PATH] = "";
    if (SHGetPathFromIDListA(chosen, folder)) SetDlgItemTextA(m_hWnd, IDC_PPG_STARTUP, folder);
    CoTaskMemFree(chosen);
}

void CShortcutPage::ChangeIcon() {
    // Without an icon path the dialog opens on the program, taken whole, with no icon chosen.
    const std::string iconPath = Text(IDC_PPG_ICON_PATH);
    CChangeIconDlg dialog(m_hWnd, iconPath.empty() ? Text(IDC_PPG_PATH) : iconPath, !iconPath.empty());
    if (dialog.DoModal() != IDOK) return;
    SetDlgItemTextA(m_hWnd, IDC_PPG_ICON_PATH, dialog.IconPath().c_str());
    UpdateIconPreview();
}

void CShortcutPage::FocusName() {
    PostMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, IDC_PPG_NAME)), TRUE);
}

bool CShortcutPage::OnApply() {
    const int index = m_state.SelectedIndex;
    if (index < 0 || index >= m_state.Shortcuts.Count()) return true;
    ShortcutItem values = m_state.Shortcuts.At(index);
    values.Name = Text(IDC_PPG_NAME);
    values.Path = Text(IDC_PPG_PATH);
    values.Startup = Text(IDC_PPG_STARTUP);
    values.IconPath = Text(IDC_PPG_ICON_PATH);
    values.Arguments = Text(IDC_PPG_ARGUMENTS);
    values.Prompt = IsDlgButtonChecked(m_hWnd, IDC_PPG_PROMPT) == BST_CHECKED;
    values.RunAs = IsDlgButtonChecked(m_hWnd, IDC_PPG_RUN_AS) == BST_CHECKED;
    values.Style = RunStyleOf(static_cast<int>(SendDlgItemMessageA(m_hWnd, IDC_PPG_RUN_STYLE, CB_GETCURSEL, 0, 0)) + 1);
    // A record without a name or a program is never stored; the other pages still apply.
    if (values.Name.empty() || values.Path.empty()) {
        FocusName();
        return true;
    }
    switch (m_state.Shortcuts.SaveApplication(index, values)) {
    case ShortcutList::SaveResult::NameTaken:
        ShowMessage("msgNameTaken", MB_ICONEXCLAMATION, nullptr, {values.Name.c_str()});
        FocusName();
        return false;
    case ShortcutList::SaveResult::BadName:
        FocusName();
        return false;
    default:
        return true;
    }
}

void CShortcutPage::OnReset() {
    if (m_state.NewItemPending()) m_state.Shortcuts.DropPending();
}

bool CShortcutPage::OnCommand(UINT id, UINT code, HWND) {
    switch (id) {
    case IDC_PPG_BROWSE_PROGRAM:
        if (code == BN_CLICKED) BrowseForProgram();
        return true;
    case IDC_PPG_BROWSE_FOLDER:
        if (code == BN_CLICKED) BrowseForFolder();
        return true;
    case IDC_PPG_CHANGE_ICON:
        if (code == BN_CLICKED) ChangeIcon();
        return true;
    case IDC_PPG_PROMPT:
        if (code == BN_CLICKED) {
            UpdateArgumentsEnabling();
            Validate();
        }
        return true;
    case IDC_PPG_RUN_AS:
        if (code == BN_CLICKED) Validate();
        return true;
    case IDC_PPG_PATH:
        if (code == EN_KILLFOCUS) UpdateIconPreview();
        if (code == EN_CHANGE) Validate();
        return true;
    case IDC_PPG_NAME:
    case IDC_PPG_STARTUP:
    case IDC_PPG_ICON_PATH:
    case IDC_PPG_ARGUMENTS:
        if (code == EN_CHANGE) Validate();
        return true;
    case IDC_PPG_RUN_STYLE:
        if (code == CBN_SELCHANGE) Validate();
        return true;
    }
    return false;
}

const HelpTableEntry* CShortcutPage::GetHelpTable() const {
    return ShortcutPageHelpTable;
}
