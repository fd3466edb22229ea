#include "edits/GxEdit.h"

#include "edits/GxEditInfo.h"
#include "edits/GxReversedArrow.h"
#include "platform/Cursors.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// How far right of the left-side area the select-all zone reaches.
constexpr int kSelectAllReach = 2;

} // namespace

TGxEdit::TGxEdit(QWidget* parent) : TGxCustomEdit(parent) {}

void TGxEdit::SetBorderWidth(int value)
{
    m_borderWidth = value;
    update();
}

bool TGxEdit::InSelectAllZone(QPoint point) const
{
    const int areaRight = EditInfo().Wanted() ? EditInfo().AreaWidth() : 0;
    return point.x() - ClientRect().left() <= areaRight + kSelectAllReach;
}

void TGxEdit::StartCellEdit()
{
    end(false);
}

void TGxEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (InSelectAllZone(event->position().toPoint()))
        setCursor(TCursors::Screen().Cursor(kReversedArrowCursorId));
    else
        setCursor(Qt::IBeamCursor);
    TGxCustomEdit::mouseMoveEvent(event);
}

void TGxEdit::mousePressEvent(QMouseEvent* event)
{
    TGxCustomEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && InSelectAllZone(event->position().toPoint()))
        selectAll();
}

void TGxEdit::paintEvent(QPaintEvent* event)
{
    TGxCustomEdit::paintEvent(event);
    if (m_borderWidth <= 0)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Base));
    QRect frame = ClientRect().adjusted(0, 0, -1, -1);
    for (int i = 0; i < m_borderWidth && frame.isValid(); ++i) {
        painter.drawRect(frame);
        frame.adjust(1, 1, -1, -1);
    }
}
