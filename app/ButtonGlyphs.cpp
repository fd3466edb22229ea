#include "app/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace {

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Antialias(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
}

// A regular octagon with flat top and bottom edges, centred in the square of the given side.
QPolygonF Octagon(double side, double inset)
{
    QPolygonF octagon;
    const double centre = side / 2;
    const double radius = (side / 2 - inset) / std::cos(std::numbers::pi / 8);
    for (int i = 0; i < 8; ++i) {
        const double angle = std::numbers::pi / 8 + i * std::numbers::pi / 4;
        octagon << QPointF(centre + radius * std::cos(angle), centre + radius * std::sin(angle));
    }
    return octagon;
}

// A raised right hand seen from the palm side: four fingers, a thumb to the left, the palm.
QPainterPath RaisedHand()
{
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    const double fingerWidth = 1.7;
    const double fingerTops[] = {5.6, 4.4, 4.8, 6.0};
    for (int i = 0; i < 4; ++i) {
        const double left = 6.3 + i * 1.85;
        hand.addRoundedRect(QRectF(left, fingerTops[i], fingerWidth, 11 - fingerTops[i]), 0.85,
                            0.85);
    }
    hand.addRoundedRect(QRectF(6.3, 9.5, 7.4, 5.6), 1.6, 1.6);
    QPainterPath thumb;
    thumb.moveTo(6.6, 13.2);
    thumb.lineTo(4.2, 10.0);
    thumb.quadTo(4.6, 8.9, 5.6, 9.6);
    thumb.lineTo(7.4, 11.4);
    thumb.closeSubpath();
    return hand.united(thumb);
}

} // namespace

QImage StartGlyph()
{
    QImage image = Canvas(22, 22);
    QPainter painter(&image);
    Antialias(painter);
    painter.setPen(QPen(QColor(0x5a, 0x3a, 0x1e), 3.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(13.6, 13.6), QPointF(19.6, 19.6));
    QRadialGradient glass(QPointF(7.2, 7.0), 7.5);
    glass.setColorAt(0, QColor(0xf4, 0xfb, 0xff));
    glass.setColorAt(1, QColor(0x9c, 0xc8, 0xea));
    painter.setBrush(glass);
    painter.setPen(QPen(QColor(0x3c, 0x4a, 0x5c), 1.8));
    painter.drawEllipse(QPointF(9.0, 9.0), 6.6, 6.6);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(5.0, 5.0, 8.0, 8.0), 100 * 16, 70 * 16);
    return image;
}

QImage StopGlyph()
{
    QImage image = Canvas(20, 20);
    QPainter painter(&image);
    Antialias(painter);
    painter.setPen(QPen(QColor(0x7a, 0x08, 0x08), 1.0));
    painter.setBrush(QColor(0xd8, 0x1c, 0x1c));
    painter.drawPolygon(Octagon(20, 0.6));
    painter.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(Octagon(20, 1.8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(RaisedHand());
    return image;
}

QImage BackGlyph()
{
    QImage image = Canvas(18, 20);
    QPainter painter(&image);
    Antialias(painter);
    const QPolygonF arrow{{1.0, 10.0},  {9.0, 2.5},  {9.0, 6.5}, {16.5, 6.5},
                          {16.5, 13.5}, {9.0, 13.5}, {9.0, 17.5}};
    QLinearGradient fill(0, 3, 0, 17);
    fill.setColorAt(0, QColor(0x6c, 0xa8, 0xf0));
    fill.setColorAt(1, QColor(0x1a, 0x50, 0xc0));
    painter.setBrush(fill);
    painter.setPen(
        QPen(QColor(0x0c, 0x2c, 0x78), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolygon(arrow);
    return image;
}

QImage CrossGlyph()
{
    QImage image = Canvas(20, 20);
    QPainter painter(&image);
    Antialias(painter);
    const auto strokes = [&painter](const QColor& colour, double width) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4.5, 4.5), QPointF(15.5, 15.5));
        painter.drawLine(QPointF(15.5, 4.5), QPointF(4.5, 15.5));
    };
    strokes(QColor(0x80, 0x0a, 0x0a), 5.2);
    strokes(QColor(0xe0, 0x26, 0x20), 3.2);
    return image;
}

QImage LockGlyph()
{
    QImage image = Canvas(12, 14);
    QPainter painter(&image);
    Antialias(painter);
    painter.setPen(QPen(QColor(0x50, 0x50, 0x58), 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(3.0, 1.0, 6.0, 8.0), 3.0, 3.0);
    painter.setPen(QPen(QColor(0x6a, 0x4a, 0x08), 1.0));
    painter.setBrush(QColor(0xd8, 0xa8, 0x20));
    painter.drawRoundedRect(QRectF(0.5, 6.0, 11.0, 7.5), 1.2, 1.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x6a, 0x4a, 0x08));
    painter.drawEllipse(QPointF(6.0, 9.3), 1.2, 1.2);
    return image;
}

QImage CorruptFilePicture()
{
    QImage image(100, 80, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Corrupt File"));
    return image;
}
