#include "sheet/OptionsPage.h"
#include "lang/Language.h"
#include "res/resource.h"

namespace {
const HelpTableEntry OptionsPageHelpTable[] = {
    {IDC_OPG_SOUND, "hlpOptWaveFile"},
    {IDC_OPG_SOUND_BROWSE, "hlpOptWaveBrowse"},
    {IDC_OPG_PLAY, "hlpOptWavePlay"},
    {IDC_OPG_CLICK, "hlpOptClickCombo"},
    {IDC_OPG_QUICKNEW, "hlpAdvQuickNew"},
    {IDC_OPG_CONFIRM_EXIT, "hlpAdvExitConfirm"},
    {IDC_OPG_CONFIRM_DELETE, "hlpAdvDeleteConfirm"},
    {IDC_OPG_SECURITY, "hlpAdvSecurityState"},
    {IDC_OPG_CHANGE_PASSWORD, "hlpAdvPassword"},
    {IDC_OPG_LANGUAGE, "hlpAdvLanguage"},
    {0, nullptr},
};
}  // namespace

COptionsPage::COptionsPage(SheetState& state) : CContextHelpPage(IDD_OPTIONS_PAGE), m_state(state) {
    SetCaption(GetText("opgTitle"));
}

BOOL COptionsPage::OnInitDialog() {
    LocaliseDialog(m_hWnd);
    CContextHelpPage::OnInitDialog();
    return TRUE;
}

const HelpTableEntry* COptionsPage::GetHelpTable() const {
    return OptionsPageHelpTable;
}
