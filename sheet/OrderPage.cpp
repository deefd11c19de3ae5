#include "sheet/OrderPage.h"
#include "lang/Language.h"
#include "res/resource.h"

namespace {
const HelpTableEntry OrderPageHelpTable[] = {
    {IDC_RPG_LIST, "hlpOrderList"},
    {0, nullptr},
};
}  // namespace

COrderPage::COrderPage(SheetState& state) : CContextHelpPage(IDD_ORDER_PAGE), m_state(state) {
    SetCaption(GetText("rpgTitle"));
}

BOOL COrderPage::OnInitDialog() {
    CContextHelpPage::OnInitDialog();
    LocaliseDialog(m_hWnd);
    return TRUE;
}

const HelpTableEntry* COrderPage::GetHelpTable() const {
    return OrderPageHelpTable;
}
