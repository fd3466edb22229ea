#include "edits/GxButtonEdit.h"

#include "edits/GxExecuteButton.h"
#include "grid/shared/GxClassicDraw.h"

#include <QKeyEvent>

TGxButtonEdit::TGxButtonEdit(QWidget* parent) : TGxCustomButtonEdit(parent)
{
    Button().SetGlyph(&m_drawnGlyph);
}

QString TGxButtonEdit::ButtonCaption() const
{
    return Button().Caption();
}

void TGxButtonEdit::SetButtonCaption(const QString& value)
{
    Button().SetCaption(value);
}

void TGxButtonEdit::SetButtonGlyph(const QImage& value)
{
    m_buttonGlyph = value;
    PrepareButtonGlyph();
}

int TGxButtonEdit::ButtonWidth() const
{
    return Button().width();
}

void TGxButtonEdit::SetButtonWidth(int value)
{
    Button().resize(std::max(0, value), Button().height());
    UpdateMargins();
    PlaceButton();
}

void TGxButtonEdit::SetTransparentColor(TColor value)
{
    m_transparentColor = value;
    PrepareButtonGlyph();
}

void TGxButtonEdit::keyPressEvent(QKeyEvent* event)
{
    TGxCustomButtonEdit::keyPressEvent(event);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers().testFlag(Qt::ControlModifier))
        ButtonClicked();
}

void TGxButtonEdit::PrepareButtonGlyph()
{
    m_drawnGlyph = m_buttonGlyph.hasAlphaChannel()
                       ? m_buttonGlyph
                       : WithTransparentColor(m_buttonGlyph, m_transparentColor);
    Button().update();
}
