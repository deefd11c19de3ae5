// The Order page's drag list: besides the framework's insertion line it shows the system's
// insertion arrow beside the list, and it tells the page when a drop moved an entry.
#pragma once
#include "framework/DragListBox.h"
#include <functional>

class COrderListBox : public CDragListBox {
public:
    explicit COrderListBox(std::function<void()> entryMoved) : m_entryMoved(std::move(entryMoved)) {}

protected:
    void DrawInsert(int index) override;
    bool Dropped(int sourceIndex, POINT screenPoint) override;

private:
    std::function<void()> m_entryMoved;
};
