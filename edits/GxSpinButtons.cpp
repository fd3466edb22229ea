#include "edits/GxSpinButtons.h"

#include "grid/shared/GxClassicDraw.h"
#include "grid/shared/GxThemesSupport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

TGxSpinButtons::TGxSpinButtons(QWidget& edit) : QWidget(&edit), m_edit(edit)
{
    // Both halves cover the whole widget, so its background needs no erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);
    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    m_repeat.setInterval(kRepeatMs);
    connect(&m_delay, &QTimer::timeout, this, &TGxSpinButtons::DelayElapsed);
    connect(&m_repeat, &QTimer::timeout, this, &TGxSpinButtons::RepeatTick);
}

void TGxSpinButtons::SetHoverHalf(TSpinHalf value)
{
    if (m_hover == value)
        return;
    m_hover = value;
    update();
}

TSpinHalf TGxSpinButtons::HalfAt(QPoint point) const
{
    return point.y() < height() / 2 ? TSpinHalf::Up : TSpinHalf::Down;
}

void TGxSpinButtons::Press(TSpinHalf half)
{
    m_pressed = half;
    update();
    Spin();
    m_repeat.stop();
    m_delay.start();
}

void TGxSpinButtons::Release()
{
    m_delay.stop();
    m_repeat.stop();
    if (m_pressed == TSpinHalf::None)
        return;
    m_pressed = TSpinHalf::None;
    update();
}

void TGxSpinButtons::DelayElapsed()
{
    m_delay.stop();
    if (m_pressed != TSpinHalf::None)
        m_repeat.start();
}

void TGxSpinButtons::RepeatTick()
{
    if (m_pressed == TSpinHalf::None)
        m_repeat.stop();
    else
        Spin();
}

void TGxSpinButtons::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (ThemesAvailable())
        DrawThemed(painter);
    else
        DrawClassic(painter);
}

void TGxSpinButtons::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        Press(HalfAt(event->position().toPoint()));
}

void TGxSpinButtons::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    Release();
}

void TGxSpinButtons::mouseMoveEvent(QMouseEvent* event)
{
    SetHoverHalf(HalfAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TGxSpinButtons::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    SetHoverHalf(m_edit.underMouse() ? TSpinHalf::Both : TSpinHalf::None);
}

QRect TGxSpinButtons::UpperRect() const
{
    // From one pixel above the top: the upper half's frame then meets the edit's border.
    return QRect(0, -1, width(), height() / 2 + 1);
}

QRect TGxSpinButtons::LowerRect() const
{
    return QRect(0, height() / 2, width(), height() - height() / 2);
}

void TGxSpinButtons::DrawThemed(QPainter& painter) const
{
    const struct
    {
        TSpinHalf half;
        QRect rect;
        QStyle::PrimitiveElement arrow;
    } halves[] = {{TSpinHalf::Up, UpperRect(), QStyle::PE_IndicatorSpinUp},
                  {TSpinHalf::Down, LowerRect(), QStyle::PE_IndicatorSpinDown}};
    for (const auto& half : halves) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = half.rect;
        option.state &= ~(QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_HasFocus);
        if (m_edit.isEnabled()) {
            option.state |= QStyle::State_Enabled;
            if (m_pressed == half.half)
                option.state |= QStyle::State_Sunken;
            else
                option.state |= QStyle::State_Raised;
            if (m_pressed != half.half && (m_hover == half.half || m_hover == TSpinHalf::Both))
                option.state |= QStyle::State_MouseOver;
        }
        painter.save();
        painter.fillRect(half.rect, palette().color(QPalette::Button));
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
        style()->drawPrimitive(half.arrow, &option, &painter, this);
        painter.restore();
    }
}

void TGxSpinButtons::DrawClassic(QPainter& painter) const
{
    const bool inactive = !m_edit.isEnabled();
    DrawClassicScrollButton(painter, UpperRect(), adUp, m_pressed == TSpinHalf::Up, inactive);
    DrawClassicScrollButton(painter, LowerRect(), adDown, m_pressed == TSpinHalf::Down, inactive);
}

void TGxSpinButtons::Spin()
{
    if (OnSpin)
        OnSpin(m_pressed);
}
