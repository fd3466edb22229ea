#include "platform/Cursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace {

constexpr int kRollSize = 32;
constexpr int kRollCentre = kRollSize / 2;

// The roll-scrolling marker: a ring with a dot, and the arrows for the directions it can move.
QCursor RollCursor(bool up, bool down)
{
    QPixmap picture(kRollSize, kRollSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(kRollCentre, kRollCentre), 6, 6);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(QPoint(kRollCentre, kRollCentre), 6, 6);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(kRollCentre, kRollCentre), 1, 1);
    const auto arrow = [&](int tipY, int baseY) {
        painter.drawPolygon(QPolygon({QPoint(kRollCentre, tipY), QPoint(kRollCentre - 5, baseY),
                                      QPoint(kRollCentre + 5, baseY)}));
    };
    painter.setPen(QPen(Qt::white, 1));
    if (up)
        arrow(1, 7);
    if (down)
        arrow(kRollSize - 2, kRollSize - 8);
    painter.end();
    return QCursor(picture, kRollCentre, kRollCentre);
}

// An arrow pointing right, for picking a row in the indicator column.
QCursor IndicatorSelectCursor()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({QPoint(15, 8), QPoint(6, 1), QPoint(6, 5), QPoint(0, 5),
                                  QPoint(0, 11), QPoint(6, 11), QPoint(6, 15)}));
    painter.end();
    return QCursor(picture, 15, 8);
}

} // namespace

QCursor LoadCursorResource(const QString& name)
{
    if (name == u"HORZSPLIT")
        return QCursor(Qt::SplitHCursor);
    if (name == u"VERTSPLIT")
        return QCursor(Qt::SplitVCursor);
    if (name == u"COLUMNNODRAG")
        return QCursor(Qt::ForbiddenCursor);
    if (name == u"INDICATORSELECT")
        return IndicatorSelectCursor();
    if (name == u"ROLL")
        return RollCursor(true, true);
    if (name == u"ROLLUP")
        return RollCursor(true, false);
    if (name == u"ROLLDOWN")
        return RollCursor(false, true);
    return QCursor(Qt::ArrowCursor);
}

TCursors& TCursors::Screen()
{
    static TCursors cursors;
    return cursors;
}

QCursor TCursors::Cursor(int id) const
{
    const auto found = m_cursors.find(id);
    return found == m_cursors.end() ? QCursor(Qt::ArrowCursor) : found->second;
}
