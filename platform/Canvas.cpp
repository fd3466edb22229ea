#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPolygon>
#include <cstdlib>

namespace {

// Bresenham's walk from a to b, without b.
void LinePoints(QPoint a, QPoint b, QPolygon& points)
{
    const int dx = std::abs(b.x() - a.x());
    const int dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    int error = dx + dy;
    while (a != b) {
        points << a;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            a.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            a.ry() += sy;
        }
    }
}

Qt::Alignment AlignmentOf(unsigned flags)
{
    Qt::Alignment alignment = Qt::AlignLeft;
    if (flags & DT_CENTER)
        alignment = Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        alignment = Qt::AlignRight;
    if (!(flags & DT_SINGLELINE))
        return alignment | Qt::AlignTop;
    if (flags & DT_VCENTER)
        return alignment | Qt::AlignVCenter;
    if (flags & DT_BOTTOM)
        return alignment | Qt::AlignBottom;
    return alignment | Qt::AlignTop;
}

// The text shortened to the width: the end replaced by "…", or with a path the folders before
// the last separator first, so that the file name stays readable.
QString Elided(const QString& text, const QFontMetrics& metrics, int width, unsigned flags)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    if (flags & DT_PATH_ELLIPSIS) {
        const qsizetype slash = text.lastIndexOf(u'/');
        if (slash > 0) {
            const QString name = text.mid(slash);
            const int left = width - metrics.horizontalAdvance(name);
            if (left > metrics.horizontalAdvance(QStringLiteral("…")))
                return metrics.elidedText(text.left(slash), Qt::ElideRight, left) + name;
        }
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

} // namespace

TCanvas::TCanvas(QPainter& painter, const QRegion& paintRegion)
    : m_painter(painter), m_deviceRect(0, 0, painter.device()->width(), painter.device()->height()),
      m_paintRegion(paintRegion.intersected(m_deviceRect)), m_clip(m_paintRegion),
      m_font(painter.font())
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    ApplyClip();
}

void TCanvas::SetFont(const QFont& value)
{
    m_font = value;
    m_painter.setFont(value);
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint end(x, y);
    const QPoint start = m_penPos;
    m_penPos = end;
    if (start == end)
        return;
    // Straight lines are the common case (grid lines); a rectangle fill is exact and fast.
    if (start.y() == end.y()) {
        const int from = std::min(start.x(), end.x() + 1);
        const int to = std::max(start.x(), end.x() - 1);
        FillRect(QRect(QPoint(from, y), QPoint(to, y)), m_penColor);
        return;
    }
    if (start.x() == end.x()) {
        const int from = std::min(start.y(), end.y() + 1);
        const int to = std::max(start.y(), end.y() - 1);
        FillRect(QRect(QPoint(x, from), QPoint(x, to)), m_penColor);
        return;
    }
    QPolygon points;
    LinePoints(start, end, points);
    m_painter.setPen(QPen(ColorToQColor(m_penColor), 0));
    m_painter.drawPoints(points);
}

void TCanvas::Polyline(const std::vector<QPoint>& points)
{
    if (points.empty())
        return;
    MoveTo(points.front().x(), points.front().y());
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].x(), points[i].y());
}

void TCanvas::Polygon(const std::vector<QPoint>& points)
{
    if (points.empty())
        return;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ColorToQColor(m_brushColor));
    m_painter.drawPolygon(points.data(), int(points.size()));
    m_painter.setBrush(Qt::NoBrush);
    // The outline passes through every corner, as the classic call draws it.
    std::vector<QPoint> outline = points;
    outline.push_back(points.front());
    Polyline(outline);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    FillRect(QRect(x, y, 1, 1), color);
}

void TCanvas::FillRect(const QRect& rect, TColor color)
{
    if (!rect.isEmpty())
        m_painter.fillRect(rect, ColorToQColor(color));
}

void TCanvas::FrameRect(const QRect& rect, TColor color)
{
    Frame3D(rect, color, color);
}

void TCanvas::Frame3D(const QRect& rect, TColor topLeft, TColor bottomRight)
{
    if (rect.isEmpty())
        return;
    FillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    FillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    FillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    FillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
}

void TCanvas::InvertRect(const QRect& rect)
{
    if (rect.isEmpty())
        return;
    m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter.fillRect(rect, Qt::black);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawFocusRect(const QRect& rect)
{
    if (rect.isEmpty())
        return;
    QPolygon points;
    for (int x = rect.left(); x <= rect.right(); x += 2)
        points << QPoint(x, rect.top()) << QPoint(x, rect.bottom());
    for (int y = rect.top() + 2; y < rect.bottom(); y += 2)
        points << QPoint(rect.left(), y) << QPoint(rect.right(), y);
    m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter.setPen(QPen(Qt::black, 0));
    m_painter.drawPoints(points);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

int TCanvas::DrawText(const QString& text, QRect& rect, unsigned flags)
{
    const QFontMetrics metrics(m_font);
    const bool singleLine = flags & DT_SINGLELINE;
    int qtFlags = int(AlignmentOf(flags));
    qtFlags |= singleLine ? Qt::TextSingleLine : 0;
    qtFlags |= (flags & DT_WORDBREAK) && !singleLine ? Qt::TextWordWrap : 0;
    if (flags & DT_CALCRECT) {
        const int width =
            (flags & DT_WORDBREAK) && !singleLine ? std::max(rect.width(), 1) : 1 << 20;
        const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 1 << 20), qtFlags, text);
        rect.setWidth(text.isEmpty() ? 0 : bounds.width());
        rect.setHeight(bounds.height());
        return bounds.height();
    }
    QString shown = text;
    if (singleLine && (flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)))
        shown = Elided(text, metrics, rect.width(), flags);
    if (flags & DT_NOCLIP)
        qtFlags |= Qt::TextDontClip;
    const Qt::LayoutDirection direction = m_painter.layoutDirection();
    if (flags & DT_RTLREADING)
        m_painter.setLayoutDirection(Qt::RightToLeft);
    m_painter.setPen(ColorToQColor(m_fontColor));
    QRect drawn;
    m_painter.drawText(rect, qtFlags, shown, &drawn);
    m_painter.setLayoutDirection(direction);
    return drawn.height();
}

int TCanvas::DrawText(const QString& text, const QRect& rect, unsigned flags)
{
    QRect copy = rect;
    return DrawText(text, copy, flags);
}

int TCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(m_font).horizontalAdvance(text);
}

int TCanvas::TextHeight() const
{
    return QFontMetrics(m_font).height();
}

QRect TCanvas::ClipBox() const
{
    return m_clip.boundingRect();
}

bool TCanvas::MeetsClip(const QRect& rect) const
{
    // Touching counts: grow by the edge pixels the classic rectangle leaves out.
    return m_clip.intersects(rect.adjusted(-1, -1, 1, 1));
}

void TCanvas::SetClipRect(const QRect& rect)
{
    m_clip = m_paintRegion.intersected(rect);
    ApplyClip();
}

void TCanvas::ExcludeClipRect(const QRect& rect)
{
    m_clip -= rect;
    ApplyClip();
}

void TCanvas::ResetClip()
{
    m_clip = m_paintRegion;
    ApplyClip();
}

void TCanvas::ApplyClip()
{
    m_painter.setClipRegion(m_clip);
}
