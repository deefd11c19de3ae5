// Picks one icon of a file: every icon of the file in a horizontally scrolling list, another
// file by typing its name or browsing. The result is an icon path, "file,index".
#pragma once
#include "dialogs/ContextHelp.h"
#include <string>

class CChangeIconDlg : public CContextHelpDialog {
public:
    // iconPath "file,index" selects that icon; a path without a comma selects none.
    CChangeIconDlg(HWND parent, const std::string& iconPath);
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
    int m_index = -1;
    bool m_editChanged = false;
};
