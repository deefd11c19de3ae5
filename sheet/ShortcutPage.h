// The Properties page: one application shortcut's name, program, folder, arguments, run style
// and icon. Its apply stores the shortcut through the shortcut list, which brings its icon along.
#pragma once
#include "dialogs/ContextHelp.h"
#include "framework/Handles.h"
#include "sheet/SheetState.h"
#include <string>

// What a shortcut for the program (or document) at path is called at first: its version
// description, else its file name up to the first dot; at most the longest name.
std::string NameForProgram(const std::string& path);
// What a shortcut for the folder at path is called at first: the folder's name, dots and all; at
// most the longest name.
std::string NameForFolder(const std::string& path);
// The folder a program starts in at first: the one it is in ("C:\Tools" for "C:\Tools\my.exe";
// without a backslash, the whole path).
std::string FolderForProgram(const std::string& path);

class CShortcutPage : public CContextHelpPage {
public:
    explicit CShortcutPage(SheetState& state);
    // Fills the controls from the record the sheet is editing.
    void LoadRecord();


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
