#include "grid/GxScrollControl.h"

#include "platform/Cursors.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kWheelNotch = 120;
constexpr int kRollShadowSize = 28;

} // namespace

TGxCustomScrollBar::TGxCustomScrollBar(TGxScrollControl& owner, Qt::Orientation kind)
    : m_owner(owner), m_kind(kind)
{}

QScrollBar& TGxCustomScrollBar::Bar() const
{
    return *(m_kind == Qt::Horizontal ? m_owner.horizontalScrollBar()
                                      : m_owner.verticalScrollBar());
}

void TGxCustomScrollBar::SetMax(int value)
{
    if (value == m_max)
        return;
    m_max = std::max(value, 0);
    m_visible = !(m_autoHide && m_pageSize >= m_max);
    Apply();
    if (m_position > m_max)
        SetPosition(m_max);
}

void TGxCustomScrollBar::SetPageSize(int value)
{
    if (value == m_pageSize)
        return;
    m_pageSize = value <= 0 ? 1 : value;
    Apply();
}

void TGxCustomScrollBar::SetPosition(int value)
{
    m_oldPosition = m_position;
    m_position = std::max(std::clamp(value, m_min, std::max(m_min, m_max)), 0);
    Apply();
    if (m_updateCount > 0 || m_manualScroll)
        return;
    const int distance = m_kind == Qt::Horizontal
                             ? m_owner.GetHorzScrollDistance(m_oldPosition, m_position)
                             : m_owner.GetVertScrollDistance(m_oldPosition, m_position);
    m_owner.ScrollOwnerBy(m_kind, distance);
}

void TGxCustomScrollBar::SetAutoHide(bool value)
{
    m_autoHide = value;
    m_visible = m_max != 0 || !value;
    Apply();
}

void TGxCustomScrollBar::SetEnabled(bool value)
{
    m_enabled = value;
    Apply();
}

void TGxCustomScrollBar::SetVisible(bool value)
{
    m_visible = value;
    Apply();
}

void TGxCustomScrollBar::MoveBy(int delta)
{
    SetPosition(int(std::clamp<qint64>(qint64(m_position) + delta, 0, m_max)));
}

void TGxCustomScrollBar::LineDown()
{
    if (m_max >= 1)
        m_owner.ScrollMessage(m_kind, srLineDown);
}

void TGxCustomScrollBar::LineUp()
{
    if (m_max >= 1 && m_position > 0)
        m_owner.ScrollMessage(m_kind, srLineUp);
}

void TGxCustomScrollBar::PageDown()
{
    if (m_max >= 1)
        m_owner.ScrollMessage(m_kind, srPageDown);
}

void TGxCustomScrollBar::PageUp()
{
    if (m_max >= 1)
        m_owner.ScrollMessage(m_kind, srPageUp);
}

void TGxCustomScrollBar::Apply()
{
    if (m_applying)
        return;
    m_applying = true;
    QScrollBar& bar = Bar();
    // Qt counts the positions the thumb can take; the model counts the range it covers.
    const int last = std::max(m_min, m_max - std::max(m_pageSize, 1) + 1);
    bar.setRange(m_min, last);
    bar.setPageStep(std::max(m_pageSize, 1));
    bar.setSingleStep(std::max(m_smallChange, 1));
    bar.setValue(m_position);
    const bool shown = HasRange() || !m_autoHide;
    bar.setEnabled(HasRange() && m_owner.isEnabled() && m_enabled);
    // Setting a policy lays the scroll area out again even when it does not change.
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (m_kind == Qt::Horizontal && m_owner.horizontalScrollBarPolicy() != policy)
        m_owner.setHorizontalScrollBarPolicy(policy);
    else if (m_kind == Qt::Vertical && m_owner.verticalScrollBarPolicy() != policy)
        m_owner.setVerticalScrollBarPolicy(policy);
    m_applying = false;
}

TRollShadow::TRollShadow(QWidget* parent) : QWidget(parent)
{
    resize(kRollShadowSize, kRollShadowSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TRollShadow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawEllipse(centre, width() / 2.0 - 1, height() / 2.0 - 1);
    painter.setBrush(palette().color(QPalette::Text));
    painter.drawEllipse(centre, 2, 2);
}

TGxCustomScrollControl::TGxCustomScrollControl(QWidget* parent) : QAbstractScrollArea(parent)
{
    // The control paints every pixel of its viewport: no erasing, so nothing flickers, and
    // Qt may move painted pixels when scrolling.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setAutoFillBackground(false);
}

TGxScrollControl::TGxScrollControl(QWidget* parent)
    : TGxCustomScrollControl(parent), m_rollShadow(new TRollShadow(viewport()))
{
    TCursors& cursors = TCursors::Screen();
    cursors.SetCursor(crRoll, LoadCursorResource(QStringLiteral("ROLL")));
    cursors.SetCursor(crRollUp, LoadCursorResource(QStringLiteral("ROLLUP")));
    cursors.SetCursor(crRollDown, LoadCursorResource(QStringLiteral("ROLLDOWN")));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConnectBar(Qt::Horizontal);
    ConnectBar(Qt::Vertical);
    m_rollTimer.setInterval(1);
    connect(&m_rollTimer, &QTimer::timeout, this, [this] { RollTick(); });
}

TGxScrollBar& TGxScrollControl::ScrollBarOf(Qt::Orientation kind)
{
    return kind == Qt::Horizontal ? m_horzScrollBar : m_vertScrollBar;
}

void TGxScrollControl::ConnectBar(Qt::Orientation kind)
{
    QScrollBar* bar = kind == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, kind](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return ScrollMessage(kind, srLineUp);
        case QAbstractSlider::SliderSingleStepAdd:
            return ScrollMessage(kind, srLineDown);
        case QAbstractSlider::SliderPageStepSub:
            return ScrollMessage(kind, srPageUp);
        case QAbstractSlider::SliderPageStepAdd:
            return ScrollMessage(kind, srPageDown);
        case QAbstractSlider::SliderToMinimum:
            return ScrollMessage(kind, srTop);
        case QAbstractSlider::SliderToMaximum:
            return ScrollMessage(kind, srBottom);
        case QAbstractSlider::SliderMove:
            return ScrollMessage(kind, srThumbTrack);
        default:
            return;
        }
    });
}

void TGxScrollControl::ScrollMessage(Qt::Orientation kind, TScrollRequest request)
{
    TGxScrollBar& model = ScrollBarOf(kind);
    // Wide enough that no change, however large, overflows before the clamp.
    qint64 position = model.Position();
    switch (request) {
    case srLineUp:
    case srLineDown:
        model.SetLastScroll(scLine);
        position += request == srLineUp ? -model.SmallChange() : model.SmallChange();
        break;
    case srPageUp:
    case srPageDown:
        model.SetLastScroll(scPage);
        position += request == srPageUp ? -model.LargeChange() : model.LargeChange();
        break;
    case srThumbPosition:
    case srThumbTrack: {
        model.SetLastScroll(scThumb);
        const QScrollBar* bar =
            kind == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
        position = bar->sliderPosition();
        break;
    }
    case srTop:
    case srBottom:
        model.SetLastScroll(scTopBottom);
        position = request == srTop ? 0 : model.Max();
        break;
    case srEndScroll:
        return;
    }
    if (position < 0)
        position = 0;
    else if (position > qint64(model.Max()) - model.PageSize())
        position = qint64(model.Max()) - model.PageSize() + 1;
    model.SetPosition(int(std::max<qint64>(position, 0)));
    const auto& handler = kind == Qt::Horizontal ? OnHorizontalScroll : OnVerticalScroll;
    if (handler)
        handler(this, model.Position());
}

void TGxScrollControl::ScrollOwnerBy(Qt::Orientation kind, int distance)
{
    BeforeScroll(kind);
    if (distance != 0) {
        if (kind == Qt::Horizontal)
            viewport()->scroll(distance, 0, HorzScrollStrip());
        else
            viewport()->scroll(0, distance, VertScrollStrip());
    }
    AfterScroll(kind);
}

void TGxScrollControl::FocusNextControl(bool forward)
{
    focusNextPrevChild(forward);
}

int TGxScrollControl::GetHorzScrollDistance(int, int)
{
    return 0;
}

int TGxScrollControl::GetVertScrollDistance(int, int)
{
    return 0;
}

void TGxScrollControl::DoMouseWheel(int, Qt::KeyboardModifiers) {}

// The models move the pixels themselves; Qt's own reaction to a value change would repeat it.
void TGxScrollControl::scrollContentsBy(int, int) {}

void TGxScrollControl::wheelEvent(QWheelEvent* event)
{
    // Switched off, the wheel is left to the parent, as a window without its own wheel
    // handling does; the scroll bars do not follow it.
    if (!m_mouseWheelEnabled) {
        event->ignore();
        return;
    }
    event->accept();
    // Fine-grained wheels and touch pads send parts of a notch; whole notches scroll.
    m_wheelRemainder -= event->angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    if (notches != 0)
        DoMouseWheel(notches, event->modifiers());
}

void TGxScrollControl::mousePressEvent(QMouseEvent* event)
{
    TGxCustomScrollControl::mousePressEvent(event);
    if (event->button() == Qt::MiddleButton && m_rollAllowed && !m_rolling)
        StartRoll(event->position().toPoint());
}

void TGxScrollControl::mouseMoveEvent(QMouseEvent* event)
{
    TGxCustomScrollControl::mouseMoveEvent(event);
    if (!m_rolling)
        return;
    const int dy = event->position().toPoint().y() - m_rollAnchor.y();
    m_rollDirection = RollDirectionOf(dy);
    SetRollCursor(m_rollDirection == rdUp     ? crRollUp
                  : m_rollDirection == rdDown ? crRollDown
                                              : crRoll);
}

void TGxScrollControl::mouseReleaseEvent(QMouseEvent* event)
{
    TGxCustomScrollControl::mouseReleaseEvent(event);
    if (m_rolling)
        StopRoll();
}

void TGxScrollControl::changeEvent(QEvent* event)
{
    TGxCustomScrollControl::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    viewport()->update();
    m_horzScrollBar.Apply();
    m_vertScrollBar.Apply();
}

void TGxScrollControl::showEvent(QShowEvent* event)
{
    TGxCustomScrollControl::showEvent(event);
    m_horzScrollBar.Apply();
    m_vertScrollBar.Apply();
}

int TGxScrollControl::RollInterval(int dy)
{
    return std::max(1, 100 - std::abs(dy));
}

TRollDirection TGxScrollControl::RollDirectionOf(int dy)
{
    if (dy < -5)
        return rdUp;
    return dy < 6 ? rdNone : rdDown;
}

void TGxScrollControl::StartRoll(const QPoint& anchor)
{
    m_rolling = true;
    m_rollAnchor = anchor;
    m_rollDirection = rdNone;
    SetRollCursor(crRoll);
    m_rollShadow->move(anchor - QPoint(kRollShadowSize / 2, kRollShadowSize / 2));
    m_rollShadow->show();
    m_rollShadow->raise();
    m_rollTimer.start(1);
}

void TGxScrollControl::StopRoll()
{
    m_rollTimer.stop();
    m_rolling = false;
    m_rollDirection = rdNone;
    m_rollShadow->hide();
    viewport()->unsetCursor();
}

void TGxScrollControl::RollTick()
{
    const int dy = viewport()->mapFromGlobal(QCursor::pos()).y() - m_rollAnchor.y();
    m_rollTimer.setInterval(RollInterval(dy));
    if (m_rollDirection == rdUp)
        m_vertScrollBar.LineUp();
    else if (m_rollDirection == rdDown)
        m_vertScrollBar.LineDown();
}

void TGxScrollControl::SetRollCursor(int id)
{
    const QCursor cursor = TCursors::Screen().Cursor(id);
    viewport()->setCursor(cursor);
    m_rollShadow->setCursor(cursor);
}
