// The Properties page: one application shortcut's name, program, folder, arguments, run style
// and icon. Its apply stores the shortcut through the shortcut list, which brings its icon along.
#pragma once
#include "dialogs/ContextHelp.h"
#include "framework/Handles.h"
#include "sheet/SheetState.h"
#include <string>

// Folder and stem of a program path: "C:\Tools\my.app.exe" gives "C:\Tools" and "my"; without a
// backslash the folder is the whole path and the stem is empty.
void SplitForName(const std::string& path, std::string& folder, std::string& stem);

class CShortcutPage : public CContextHelpPage {
public:
    explicit CShortcutPage(SheetState& state);
    // Fills the controls from the record the sheet is editing.
    void LoadRecord();

    static const int MaxNameLength = 63;  // what a tray tooltip shows

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnApply() override;
    void OnReset() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    std::string Text(int id) const;
    void Validate();
    void ApplyLockState();
    void UpdateArgumentsEnabling();
    void UpdateIconPreview();
    void BrowseForProgram();
    void BrowseForFolder();
    void ChangeIcon();
    void FocusName();

    SheetState& m_state;
    OwnedIcon m_largePreview;
    OwnedIcon m_smallPreview;
};
