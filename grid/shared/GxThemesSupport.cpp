#include "grid/shared/GxThemesSupport.h"

#include "platform/Canvas.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <cstring>

EThemeError::EThemeError() : Exception(QStringLiteral("Error in Themes")) {}

bool ThemesAvailable()
{
    // Without a QApplication, QApplication::style() has no style to give.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw EThemeError();
    const QStyle* style = QApplication::style();
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style))
        style = proxy->baseStyle();
    return std::strcmp(style->metaObject()->className(), "QWindowsStyle") != 0;
}

void DrawThemedHeaderItem(TCanvas& canvas, const QWidget& widget, const QRect& rect,
                          THeaderItemState state)
{
    QStyleOptionHeader option;
    option.initFrom(&widget);
    option.rect = rect;
    option.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    option.state |= state == hisPressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (state == hisHot)
        option.state |= QStyle::State_MouseOver;
    option.position = QStyleOptionHeader::Middle;
    // Some styles leave the painter's clip empty after a header: keep the caller's.
    QPainter& painter = canvas.Painter();
    painter.save();
    widget.style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, &widget);
    painter.restore();
}

void DrawThemedCheckBox(TCanvas& canvas, const QWidget& widget, const QRect& rect, bool checked,
                        bool pressed, bool hot)
{
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.rect = rect;
    option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    if (pressed)
        option.state |= QStyle::State_Sunken;
    if (hot)
        option.state |= QStyle::State_MouseOver;
    QPainter& painter = canvas.Painter();
    painter.save();
    widget.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &widget);
    painter.restore();
}
