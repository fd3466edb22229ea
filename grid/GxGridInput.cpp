#include "grid/GxCustomGrid.h"

#include <QContextMenuEvent>

void TGxCustomGrid::contextMenuEvent(QContextMenuEvent* event)
{
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, viewport()->mapFromGlobal(event->globalPos()), handled);
    if (!handled && m_popupMenu)
        m_popupMenu->popup(event->globalPos());
    event->accept();
}
