#include "grid/shared/GxClassicDraw.h"

#include <QPainter>
#include <algorithm>

namespace {

// The classic toolkit's rectangles exclude their right and bottom edge, as QRect's right() and
// bottom() include theirs; the lines here stay inside rect.
void Bevel(QPainter& painter, const QRect& rect, TColor topLeft, TColor bottomRight)
{
    painter.setPen(ColorToQColor(topLeft));
    painter.drawLine(rect.left(), rect.bottom() - 1, rect.left(), rect.top());
    painter.drawLine(rect.left(), rect.top(), rect.right() - 1, rect.top());
    painter.setPen(ColorToQColor(bottomRight));
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter.drawLine(rect.right(), rect.bottom(), rect.right(), rect.top());
}

// A filled triangle whose base is 2 × half + 1 pixels wide and whose height is half + 1,
// centred on centre.
void Arrow(QPainter& painter, QPoint centre, int half, TArrowDirection direction, TColor color)
{
    painter.setPen(ColorToQColor(color));
    const int top = centre.y() - half / 2;
    for (int row = 0; row <= half; ++row) {
        const int width = direction == adUp ? row : half - row;
        painter.drawLine(centre.x() - width, top + row, centre.x() + width, top + row);
    }
}

} // namespace

QRect DrawClassicButton(QPainter& painter, const QRect& rect)
{
    painter.save();
    Bevel(painter, rect, clBtnHighlight, cl3DDkShadow);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    Bevel(painter, inner, cl3DLight, clBtnShadow);
    const QRect face = inner.adjusted(1, 1, -1, -1);
    painter.fillRect(face, ColorToQColor(clBtnFace));
    painter.restore();
    return face;
}

QRect DrawClassicFlatButton(QPainter& painter, const QRect& rect)
{
    painter.save();
    painter.fillRect(rect, ColorToQColor(clBtnFace));
    painter.setPen(ColorToQColor(clBtnShadow));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
    return rect.adjusted(1, 1, -1, -1);
}

void DrawClassicScrollButton(QPainter& painter, const QRect& rect, TArrowDirection direction,
                             bool pushed, bool inactive)
{
    if (rect.isEmpty())
        return;
    const QRect face =
        pushed ? DrawClassicFlatButton(painter, rect) : DrawClassicButton(painter, rect);
    const int half = std::max(1, (std::min(rect.width(), rect.height()) - 4) / 3);
    QPoint centre = rect.center();
    if (pushed)
        centre += QPoint(1, 1);
    painter.save();
    painter.setClipRect(face);
    if (inactive) {
        Arrow(painter, centre + QPoint(1, 1), half, direction, clBtnHighlight);
        Arrow(painter, centre, half, direction, clBtnShadow);
    } else {
        Arrow(painter, centre, half, direction, clBtnText);
    }
    painter.restore();
}

QImage WithTransparentColor(const QImage& image, TColor color)
{
    if (image.isNull() || color == clNone)
        return image;
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ColorToQColor(color).rgb() & RGB_MASK;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
    }
    return result;
}
