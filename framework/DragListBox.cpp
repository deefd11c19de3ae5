#include "framework/DragListBox.h"
#include <commctrl.h>
#include <string>

namespace {
const int LineThickness = 2;

UINT DragListMessage() {
    static const UINT message = RegisterWindowMessageA(DRAGLISTMSGSTRING);
    return message;
}
}  // namespace

bool CDragListBox::SubclassDlgItem(int id, HWND dialog) {
    HWND list = GetDlgItem(dialog, id);
    return list && SubclassWindow(list) && MakeDragList(list);
}

bool CDragListBox::OnParentMessage(UINT message, LPARAM lParam, LRESULT& result) {
    const DRAGLISTINFO* info = reinterpret_cast<const DRAGLISTINFO*>(lParam);
    if (!m_hWnd || message != DragListMessage() || !info || info->hWnd != m_hWnd) return false;
    result = 0;
    switch (info->uNotification) {
    case DL_BEGINDRAG: result = BeginDrag(info->ptCursor) ? TRUE : FALSE; break;
    case DL_DRAGGING: result = Dragging(info->ptCursor); break;
    case DL_CANCELDRAG: CancelDrag(info->ptCursor); break;
    case DL_DROPPED: Dropped(m_dragIndex, info->ptCursor); break;
    }
    return true;
}

int CDragListBox::ItemFromPt(POINT screenPoint, bool autoScroll) const {
    return LBItemFromPt(m_hWnd, screenPoint, autoScroll);
}

bool CDragListBox::BeginDrag(POINT screenPoint) {
    m_dragIndex = ItemFromPt(screenPoint, false);
    if (m_dragIndex < 0) return false;
    DrawInsert(m_dragIndex);
    return true;
}

UINT CDragListBox::Dragging(POINT screenPoint) {
    int index = ItemFromPt(screenPoint);
    DrawInsert(index);
    return index < 0 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

void CDragListBox::CancelDrag(POINT) {
    DrawInsert(-1);
    m_dragIndex = -1;
}

bool CDragListBox::Dropped(int sourceIndex, POINT screenPoint) {
    DrawInsert(-1);
    m_dragIndex = -1;
    int target = ItemFromPt(screenPoint, false);
    // Before itself or before the entry right after it, an entry stays where it is.
    if (sourceIndex < 0 || target < 0 || target == sourceIndex || target == sourceIndex + 1) return false;
    LRESULT length = SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(sourceIndex), 0);
    if (length == LB_ERR) return false;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(sourceIndex), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    LRESULT data = SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(sourceIndex), 0);
    if (target > sourceIndex) --target;  // the places after the source close up
    SendMessageA(m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(sourceIndex), 0);
    LRESULT placed = SendMessageA(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(target),
                                  reinterpret_cast<LPARAM>(text.c_str()));
    if (placed < 0) return false;
    SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(placed), data);
    SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(placed), 0);
    return true;
}

void CDragListBox::DrawInsert(int index) {
    if (index == m_lastInsert) return;
    EraseInsertLine();
    m_lastInsert = index;
    RECT item;
    if (index < 0 || SendMessageA(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return;
    // The line lies on the top edge of the entry, where the dragged one would go.
    m_lineRect = item;
    m_lineRect.top = item.top > 0 ? item.top - LineThickness / 2 : 0;
    m_lineRect.bottom = m_lineRect.top + LineThickness;
    m_lineTopIndex = static_cast<int>(SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0));
    if (HDC dc = GetDC(m_hWnd)) {
        FillRect(dc, &m_lineRect, GetSysColorBrush(COLOR_WINDOWTEXT));
        ReleaseDC(m_hWnd, dc);
    }
}

void CDragListBox::EraseInsertLine() {
    if (m_lastInsert < 0) return;
    // A list that scrolled since carried the line along: all of it is painted again.
    bool scrolled = SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0) != m_lineTopIndex;
    InvalidateRect(m_hWnd, scrolled ? nullptr : &m_lineRect, TRUE);
    UpdateWindow(m_hWnd);
}
