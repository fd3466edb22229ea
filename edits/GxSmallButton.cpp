#include "edits/GxSmallButton.h"

#include <QMouseEvent>

TGxSmallButton::TGxSmallButton(QWidget& edit) : QWidget(&edit), m_edit(edit)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void TGxSmallButton::SetCaption(const QString& value)
{
    m_caption = value;
    update();
}

void TGxSmallButton::SetHover(bool value)
{
    if (m_hover == value)
        return;
    m_hover = value;
    update();
}

void TGxSmallButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (m_edit.isVisible())
        m_edit.setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    update();
    if (OnPress)
        OnPress();
}

void TGxSmallButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_pressed)
        return;
    m_pressed = false;
    update();
    if (OnRelease)
        OnRelease();
}

void TGxSmallButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    SetHover(true);
}

void TGxSmallButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    // Back over the edit, the button stays hot; the edit's own leave clears it.
    SetHover(m_edit.underMouse());
}
