#pragma once

#include "platform/Graphics.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <vector>

// Fusion, recording the state of every primitive of one kind it is asked to draw.
class RecordingStyle : public QProxyStyle
{
public:
    explicit RecordingStyle(PrimitiveElement recorded)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_recorded(recorded)
    {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == m_recorded)
            states.push_back(option->state);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    mutable std::vector<QStyle::State> states;

private:
    PrimitiveElement m_recorded;
};

// The widget's picture, as the screen would show it.
inline QImage Grab(QWidget& widget)
{
    return widget.grab().toImage();
}

// A system colour as an 8-bit pixel shows it.
inline QRgb SystemRgb(TColor color)
{
    return ColorToQColor(color).rgb();
}

// A key press or release as the window system delivers it, auto-repeat included.
inline void SendKey(QWidget& widget, QEvent::Type type, int key, bool autoRepeat = false,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&widget, &event);
}
