#include "sheet/OrderListBox.h"
#include <commctrl.h>

void COrderListBox::DrawInsert(int index) {
    if (index != LastInsert()) ::DrawInsert(GetParent(m_hWnd), m_hWnd, index);
    CDragListBox::DrawInsert(index);
}

bool COrderListBox::Dropped(int sourceIndex, POINT screenPoint) {
    // The list reports no selection change when the entry moved was the selected one already.
    bool moved = CDragListBox::Dropped(sourceIndex, screenPoint);
    if (moved && m_entryMoved) m_entryMoved();
    return moved;
}
