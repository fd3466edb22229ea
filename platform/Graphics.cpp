#include "platform/Graphics.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QColor SystemQColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5:
    case 4:
    case 24:
        return palette.color(QPalette::Base);
    case 8:
    case 7:
    case 18:
    case 9:
    case 23:
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16:
        return palette.color(QPalette::Dark);
    case 17:
    case 19:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 20:
        return palette.color(QPalette::Light);
    case 21:
    case 6:
        return palette.color(QPalette::Shadow);
    case 22:
        return palette.color(QPalette::Midlight);
    default:
        return palette.color(QPalette::Button);
    }
}

} // namespace

QColor ColorToQColor(TColor color)
{
    if (uint32_t(color) & 0x80000000u)
        return SystemQColor(int(uint32_t(color) & 0xFF));
    const uint32_t bgr = uint32_t(color);
    return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}

TColor ColorToRGB(TColor color)
{
    return QColorToColor(ColorToQColor(color));
}

TColor QColorToColor(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}
