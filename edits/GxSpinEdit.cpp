#include "edits/GxSpinEdit.h"

#include "edits/GxSpinButtons.h"

#include <QKeyEvent>
#include <QStyle>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr int kWheelNotch = 120;

} // namespace

TGxSpinEdit::TGxSpinEdit(QWidget* parent)
    : TGxCustomNumberEdit(parent), m_buttons(std::make_unique<TGxSpinButtons>(*this))
{
    m_buttons->OnSpin = [this](TSpinHalf half) {
        if (half == TSpinHalf::Up || half == TSpinHalf::Down)
            Spin(half == TSpinHalf::Up ? sbUp : sbDown);
    };
    SetPrecision(0);
    PlaceChildren();
    UpdateMargins();
}

TGxSpinEdit::~TGxSpinEdit() = default;

void TGxSpinEdit::SetSpinButtons(bool value)
{
    m_spinButtons = value;
    if (!value)
        m_buttons->Release();
    PlaceChildren();
    UpdateMargins();
}

void TGxSpinEdit::Spin(TSpinButton button)
{
    if (isReadOnly())
        return;
    if (!hasFocus() && isVisible())
        setFocus(Qt::OtherFocusReason);
    if (!TakeStep(button))
        return;
    end(false);
    if (OnSpin)
        OnSpin(this, {button});
    setModified(true);
}

int32_t TGxSpinEdit::AsInteger()
{
    // The default rounding mode takes halves to the even neighbour.
    return ToInteger(std::nearbyint(Value()));
}

TGxCustomEdit::TTextMargins TGxSpinEdit::TextMargins() const
{
    TTextMargins margins = TGxCustomNumberEdit::TextMargins();
    if (m_spinButtons)
        margins.right += m_buttons->width();
    return margins;
}

void TGxSpinEdit::PlaceChildren()
{
    TGxCustomNumberEdit::PlaceChildren();
    const QRect client = ClientRect();
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // With a frame the buttons leave its top line free; without one they reach a pixel past the
    // bottom, as the classic control's did.
    const bool framed = BorderStyle() == bsSingle;
    m_buttons->setGeometry(client.right() + 1 - width, client.top() + (framed ? 1 : 0), width,
                           client.height() + (framed ? -1 : 1));
    m_buttons->setVisible(m_spinButtons);
}

void TGxSpinEdit::keyPressEvent(QKeyEvent* event)
{
    const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (arrow && m_spinButtons && !InCell()) {
        // The buttons repeat on their own; the keyboard's repeat would only add steps.
        if (!event->isAutoRepeat())
            m_buttons->Press(event->key() == Qt::Key_Up ? TSpinHalf::Up : TSpinHalf::Down);
        event->accept();
        return;
    }
    TGxCustomNumberEdit::keyPressEvent(event);
}

void TGxSpinEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        m_buttons->Release();
    TGxCustomNumberEdit::keyReleaseEvent(event);
}

void TGxSpinEdit::wheelEvent(QWheelEvent* event)
{
    if (!m_spinButtons) {
        TGxCustomNumberEdit::wheelEvent(event);
        return;
    }
    event->accept();
    m_wheelRemainder += event->angleDelta().y();
    while (std::abs(m_wheelRemainder) >= kWheelNotch) {
        const bool up = m_wheelRemainder > 0;
        m_wheelRemainder += up ? -kWheelNotch : kWheelNotch;
        m_buttons->Press(up ? TSpinHalf::Up : TSpinHalf::Down);
        m_buttons->Release();
    }
}

void TGxSpinEdit::enterEvent(QEnterEvent* event)
{
    TGxCustomNumberEdit::enterEvent(event);
    m_buttons->SetHoverHalf(TSpinHalf::Both);
}

void TGxSpinEdit::leaveEvent(QEvent* event)
{
    TGxCustomNumberEdit::leaveEvent(event);
    m_buttons->SetHoverHalf(TSpinHalf::None);
}

bool TGxSpinEdit::TakeStep(TSpinButton button)
{
    const double value = Value();
    if (button == sbUp) {
        if (RangeActive() && value + m_increment > Max())
            return false;
        SetValue(value + m_increment);
        return true;
    }
    if (value == 0 && !Options().contains(eoAllowSigns))
        return false;
    if (RangeActive() && value - m_increment < Min())
        return false;
    SetValue(value - m_increment);
    return true;
}
