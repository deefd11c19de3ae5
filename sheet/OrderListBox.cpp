#include "sheet/OrderListBox.h"
#include <commctrl.h>

namespace {
const int ArrowOverlap = 16;  // how far the system's arrow may reach into the list
}

void COrderListBox::DrawInsert(int index) {
    if (index != LastInsert()) {
        // The arrow is drawn over the list's left edge, which the system does not repaint when the
        // arrow moves on: the list paints that strip again before the new arrow is drawn.
        RECT strip;
        GetClientRect(m_hWnd, &strip);
        if (strip.right > ArrowOverlap) strip.right = ArrowOverlap;
        InvalidateRect(m_hWnd, &strip, TRUE);
        UpdateWindow(m_hWnd);
        ::DrawInsert(GetParent(m_hWnd), m_hWnd, index);
    }
    CDragListBox::DrawInsert(index);
}

bool COrderListBox::Dropped(int sourceIndex, POINT screenPoint) {
    // The list reports no selection change when the entry moved was the selected one already.
    bool moved = CDragListBox::Dropped(sourceIndex, screenPoint);
    if (moved && m_entryMoved) m_entryMoved();
    return moved;
}
