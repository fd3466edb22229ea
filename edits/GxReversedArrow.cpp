#include "edits/GxReversedArrow.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace {

QCursor DrawReversedArrow()
{
    constexpr int kSize = 32;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // The standard arrow's outline, mirrored so that the tip is at the top right.
    const QPolygon arrow({{15, 0}, {15, 16}, {11, 12}, {8, 19}, {5, 18}, {8, 11}, {3, 11}});
    painter.setPen(Qt::white);
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow);
    painter.end();
    return QCursor(pixmap, 15, 0);
}

} // namespace

const QCursor& ReversedArrowCursor()
{
    static const QCursor cursor = DrawReversedArrow();
    return cursor;
}
