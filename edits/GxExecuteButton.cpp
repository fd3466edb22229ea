#include "edits/GxExecuteButton.h"

#include "grid/shared/GxClassicDraw.h"
#include "grid/shared/GxThemesSupport.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionButton>

TGxExecuteButton::TGxExecuteButton(QWidget& edit) : TGxSmallButton(edit)
{
    // Painted whole every time, so the background needs no erasing (which would flicker).
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(21, height());
}

void TGxExecuteButton::SetGlyph(const QImage* value)
{
    m_glyph = value;
    update();
}

void TGxExecuteButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (ThemesAvailable())
        DrawThemed(painter);
    else
        DrawClassic(painter);
    DrawGlyph(painter);
    DrawCaption(painter);
}

void TGxExecuteButton::changeEvent(QEvent* event)
{
    TGxSmallButton::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
        update();
}

void TGxExecuteButton::DrawThemed(QPainter& painter) const
{
    painter.fillRect(rect(), palette().color(QPalette::Button));
    QStyleOptionButton option;
    option.initFrom(this);
    // Grown by a pixel on every side: the themed button's rounded outer edge would otherwise
    // show the edit's background in its corners.
    option.rect = rect().adjusted(-1, -1, 1, 1);
    option.state &= ~(QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_HasFocus);
    if (Edit().isEnabled()) {
        option.state |= QStyle::State_Enabled;
        if (Pressed())
            option.state |= QStyle::State_Sunken;
        else if (Hover())
            option.state |= QStyle::State_MouseOver | QStyle::State_Raised;
        else
            option.state |= QStyle::State_Raised;
    }
    painter.save();
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
    painter.restore();
}

void TGxExecuteButton::DrawClassic(QPainter& painter) const
{
    if (Pressed())
        DrawClassicFlatButton(painter, rect());
    else
        DrawClassicButton(painter, rect());
}

void TGxExecuteButton::DrawGlyph(QPainter& painter) const
{
    if (!m_glyph || m_glyph->isNull())
        return;
    painter.drawImage(width() / 2 - m_glyph->width() / 2, height() / 2 - m_glyph->height() / 2,
                      *m_glyph);
}

void TGxExecuteButton::DrawCaption(QPainter& painter) const
{
    if (Caption().isEmpty())
        return;
    const QPalette::ColorGroup group = Edit().isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::ButtonText));
    painter.setFont(font());
    const QString shown = fontMetrics().elidedText(Caption(), Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, shown);
}
