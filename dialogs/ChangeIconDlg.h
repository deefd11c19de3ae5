// Picks one icon of a file: the icons of the file in a horizontally scrolling list, another
// file by typing its name or browsing. The result is an icon path, "file,index".
#pragma once
#include "dialogs/ContextHelp.h"
#include "framework/Handles.h"
#include <string>
#include <vector>

class CChangeIconDlg : public CContextHelpDialog {
public:
    // Each listed icon takes one of the few thousand user objects a program has: a file claiming
    // more icons lists this many.
    static const UINT MaxListedIcons = 1000;

    // An icon path "file,index" selects that icon; without an index (isIconPath false: a program
    // path, taken whole) none is selected.
    CChangeIconDlg(HWND parent, const std::string& path, bool isIconPath = true);
    ~CChangeIconDlg() override;
    // After IDOK: the file, a comma and the chosen index.
    std::string IconPath() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    void FillIconList();
    void EmptyIconList();
    void Browse();
    void OnNoIcons();
    void DrawItem(const DRAWITEMSTRUCT& item);
    std::string FileText() const;

    std::string m_file;
    int m_index = -1;  // the chosen icon's number in the file
    bool m_editChanged = false;
    // The listed icons by position; an entry's item data is the icon's number in the file, which
    // differs from its position after an icon that could not be extracted.
    std::vector<OwnedIcon> m_icons;
};
