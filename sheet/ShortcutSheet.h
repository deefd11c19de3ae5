// The settings sheet: a shortcut's properties, the order of the icons and the options, with the
// pages that fit what it was opened for. Changes are stored by the pages' apply.
#pragma once
#include "dialogs/ContextHelp.h"
#include "sheet/OptionsPage.h"
#include "sheet/OrderPage.h"
#include "sheet/ShortcutPage.h"
#include "sheet/SheetState.h"
#include <string>

class CShortcutSheet : public CContextHelpSheet {
public:
    // The sheet for the shortcut at index.
    CShortcutSheet(HWND parent, ShortcutList& shortcuts, int index);
    // The sheet for a new shortcut, which the list must have room for; the first shortcut of all
    // cannot be cancelled.
    enum class NewShortcut { Another, First };
    CShortcutSheet(HWND parent, ShortcutList& shortcuts, NewShortcut which);
    ~CShortcutSheet() override;

    // IDOK or IDCANCEL as the sheet was closed, or 0 when changes are locked and not unlocked.
    INT_PTR DoModal() override;
    // A new record filled from an existing file's or folder's path, made the one the sheet edits.
    // A folder has no start folder of its own.
    bool PrefillFromPath(const std::string& path, bool isFolder);

protected:
    BOOL OnInitDialog() override;

private:
    CShortcutSheet(HWND parent, ShortcutList& shortcuts, int index, bool mayCancel);
    void CreateNewRecord();

    SheetState m_state;
    CShortcutPage m_shortcutPage;
    COrderPage m_orderPage;
    COptionsPage m_optionsPage;
};
