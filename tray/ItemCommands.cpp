#include "tray/ItemCommands.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/FirstTimeDlg.h"
#include "dialogs/ShowMessage.h"
#include "framework/Handles.h"
#include "framework/PopupMenu.h"
#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "sheet/ShortcutSheet.h"
#include "store/Options.h"

namespace {
bool IsEntryMenuCommand(UINT id) {
    return (id >= ID_DIALUP_ENTRY_FIRST && id <= ID_DIALUP_ENTRY_LAST) ||
           (id >= ID_DESKTOP_ENTRY_FIRST && id <= ID_DESKTOP_ENTRY_LAST);
}
}  // namespace

std::string SpecialItemTitle(ShortcutKind kind) {
    return GetText(TipKey(kind).c_str());
}

void ItemCommands::ShowContextMenu(int index) {
    m_contextIndex = index;
    POINT cursor = {};
    GetCursorPos(&cursor);
    OwnedMenu menu(LoadMenuA(ProgramInstance(), MAKEINTRESOURCEA(IDM_SHORTCUT_MENU)));
    if (!menu) return;
    LocaliseMenu(menu.get());
    HMENU popup = GetSubMenu(menu.get(), 0);
    SetMenuDefaultItem(popup, ID_PROPERTIES, FALSE);
    TrackOwnedMenu(m_owner, popup, cursor, 0);
}

bool ItemCommands::Handles(UINT id) const {
    switch (id) {
    case ID_PROPERTIES:
    case ID_NEW_ICON:
    case ID_DELETE:
    case ID_NEW_SEPARATOR:
    case ID_NEW_DUN:
    case ID_NEW_DESKACCESS:
    case ID_CLOSE:
    case ID_ABOUT:
        return true;
    }
    return false;
}

bool ItemCommands::IsEnabled(UINT id) const {
    if (IsEntryMenuCommand(id)) return true;
    switch (id) {
    case ID_DELETE:
    case ID_NEW_ICON:
    case ID_NEW_SEPARATOR:
    case ID_CLOSE:
        return !IsPasswordStored();
    case ID_NEW_DUN:
        return !IsPasswordStored() && !m_shortcuts.Contains(ShortcutKind::DialUp);
    case ID_NEW_DESKACCESS:
        return !IsPasswordStored() && !m_shortcuts.Contains(ShortcutKind::DeskAccess);
    }
    return Handles(id);
}

void ItemCommands::Run(UINT id) {
    // A command the menu would grey (one posted by another program, say) is refused here too, and
    // so is every command while a modal window is open: no menu opens then, and the window may
    // be editing the very list the command would change.
    if (!Handles(id) || !IsEnabled(id) || TheApp()->ModalDepth > 0) return;
    switch (id) {
    case ID_PROPERTIES:
        if (m_contextIndex >= 0 && m_contextIndex < m_shortcuts.Count()) EditShortcut(m_contextIndex);
        break;
    case ID_NEW_ICON: NewShortcut(false); break;
    case ID_NEW_SEPARATOR: AddSpecialItem(ShortcutKind::Separator); break;
    case ID_NEW_DUN: AddSpecialItem(ShortcutKind::DialUp); break;
    case ID_NEW_DESKACCESS: AddSpecialItem(ShortcutKind::DeskAccess); break;
    case ID_DELETE: DeleteContextItem(); break;
    case ID_CLOSE: CloseProgram(); break;
    case ID_ABOUT: ShowAboutBox(); break;
    }
}

void ItemCommands::EditShortcut(int index) {
    CShortcutSheet sheet(m_owner, m_shortcuts, index);
    sheet.DoModal();
}

bool ItemCommands::NewShortcut(bool first) {
    if (m_shortcuts.IsFull()) {
        ShowMessage("msgTableFull", MB_ICONEXCLAMATION);
        return false;
    }
    CShortcutSheet sheet(m_owner, m_shortcuts,
                         first ? CShortcutSheet::NewShortcut::First : CShortcutSheet::NewShortcut::Another);
    sheet.DoModal();
    return true;
}

void ItemCommands::NewShortcutFromPath(const std::string& path) {
    if (IsPasswordStored()) {
        ShowMessage("msgNewNotAllowed", MB_ICONSTOP);
        return;
    }
    if (TheApp()->ModalDepth != 0) {
        ShowMessage("msgDialogOpenForNew", MB_ICONSTOP);
        return;
    }
    WIN32_FIND_DATAA found;
    // A path longer than the sheet's fields hold is refused, never cut.
    HANDLE search = !path.empty() && path.size() < MAX_PATH ? FindFirstFileA(path.c_str(), &found)
                                                            : INVALID_HANDLE_VALUE;
    if (search == INVALID_HANDLE_VALUE) {
        ShowMessage("msgCannotFindNew", MB_ICONSTOP);
        return;
    }
    FindClose(search);
    if (m_shortcuts.IsFull()) {
        ShowMessage("msgTableFull", MB_ICONEXCLAMATION);
        return;
    }
    CShortcutSheet sheet(m_owner, m_shortcuts, CShortcutSheet::NewShortcut::Another);
    if (sheet.PrefillFromPath(path, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) sheet.DoModal();
}

void ItemCommands::AddSpecialItem(ShortcutKind kind) {
    if (m_shortcuts.AppendSpecial(kind, SpecialItemTitle(kind)) < 0) ShowMessage("msgTableFull", MB_ICONEXCLAMATION);
}

void ItemCommands::DeleteContextItem() {
    if (ReadOption(Option::ConfirmDelete) != 0 && ShowMessage("msgConfirmDelete", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The question's modal loop may have let the list change; act only on an item that exists.
    if (m_contextIndex < 0 || m_contextIndex >= m_shortcuts.Count()) return;
    m_shortcuts.Remove(m_contextIndex);
    // A program without icons could not be reached again: offer the first one.
    if (m_shortcuts.Count() == 0) RunFirstTimeFlow();
}

void ItemCommands::CloseProgram() {
    if (ReadOption(Option::ConfirmExit) != 0 && ShowMessage("msgConfirmExit", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    PostMessageA(m_owner, WM_CLOSE, 0, 0);
}

void ItemCommands::ShowAboutBox() {
    CAboutDlg about(m_owner);
    about.DoModal();
}

void ItemCommands::RunFirstTimeFlow() {
    CPropertySheet::LoadControlsAhead();  // one choice opens the sheet
    CFirstTimeDlg dialog(m_owner);
    const INT_PTR choice = dialog.DoModal();
    switch (choice) {
    case IDC_FIRST_DUN:
    case IDC_FIRST_DESKACCESS:
        // Locked changes are refused as the menu refuses them; without an icon the program ends.
        if (IsPasswordStored()) {
            ShowMessage("msgNewNotAllowed", MB_ICONSTOP);
            PostMessageA(m_owner, WM_CLOSE, 0, 0);
            break;
        }
        AddSpecialItem(choice == IDC_FIRST_DUN ? ShortcutKind::DialUp : ShortcutKind::DeskAccess);
        break;
    case IDC_FIRST_APP:
        // A sheet that cannot be cancelled; closed without a shortcut, it ends the program too.
        NewShortcut(true);
        if (m_shortcuts.Count() == 0) PostMessageA(m_owner, WM_CLOSE, 0, 0);
        break;
    default:
        PostMessageA(m_owner, WM_CLOSE, 0, 0);
        break;
    }
}
