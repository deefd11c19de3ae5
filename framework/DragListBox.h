// A list box the user rearranges by dragging, on the system's drag list (MakeDragList). The system
// tells the list's parent of every drag step through its registered message; the parent passes
// that message on with OnParentMessage. The entry dragged is moved before the one it is dropped on.
#pragma once
#include "framework/Wnd.h"

class CDragListBox : public CWnd {
public:
    // Takes over the dialog's list box id and makes it a drag list.
    bool SubclassDlgItem(int id, HWND dialog);
    // Answers the drag-list message when it comes from this list; false for any other message.
    bool OnParentMessage(UINT message, LPARAM lParam, LRESULT& result);
    // The entry under a screen point, or -1; with autoScroll the list scrolls when the point is
    // above or below it.
    int ItemFromPt(POINT screenPoint, bool autoScroll = true) const;

protected:
    // A drag may start on an entry; true to start it.
    virtual bool BeginDrag(POINT screenPoint);
    // The cursor to show (DL_MOVECURSOR, or DL_STOPCURSOR over no entry).
    virtual UINT Dragging(POINT screenPoint);
    virtual void CancelDrag(POINT screenPoint);
    // Moves the dragged entry before the entry under the point; true when an entry moved.
    virtual bool Dropped(int sourceIndex, POINT screenPoint);
    // Marks the insertion point before entry index with a line (-1: no mark).
    virtual void DrawInsert(int index);

    int LastInsert() const { return m_lastInsert; }

private:
    void EraseInsertLine();

    int m_dragIndex = -1;
    int m_lastInsert = -1;
    RECT m_lineRect = {};
    int m_lineTopIndex = 0;  // the first visible entry when the line was drawn
};
