#include "grid/GxDragArrow.h"

#include <QPainter>
#include <QPolygon>

TDragArrow::TDragArrow(bool pointsDown)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), m_pointsDown(pointsDown)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(Size, Size + 3);
}

void TDragArrow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(0x00, 0x80, 0x00));
    const int w = Size - 1;
    const int h = height() - 1;
    // A triangle whose tip touches the header, on a short stem.
    QPolygon arrow = m_pointsDown
                         ? QPolygon({QPoint(0, 3), QPoint(w, 3), QPoint(w / 2, h)})
                         : QPolygon({QPoint(0, h - 3), QPoint(w, h - 3), QPoint(w / 2, 0)});
    painter.drawPolygon(arrow);
    painter.drawLine(w / 2, m_pointsDown ? 0 : h, w / 2, m_pointsDown ? 3 : h - 3);
}
