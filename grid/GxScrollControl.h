#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <algorithm>
#include <functional>

class QScrollBar;
class TGxScrollControl;

// What a scroll bar asks its owner for, as the window system's scroll messages name it.
enum TScrollRequest {
    srLineUp,
    srLineDown,
    srPageUp,
    srPageDown,
    srThumbPosition,
    srThumbTrack,
    srTop,
    srBottom,
    srEndScroll
};

// The kind of the last scroll a scroll bar model handled.
enum TScrollCode { scLine, scPage, scThumb, scTopBottom };

enum TRollDirection { rdNone, rdUp, rdDown };

// The model of one of the control's two scroll bars. It keeps range, page and position in the
// window system's terms (positions 0 to Max − PageSize + 1 can be scrolled to) and writes them to
// the control's QScrollBar of its kind. Setting a position scrolls the owner's pixels by the
// distance the owner answers for the change, unless an update is open or ManualScroll is set.
class TGxCustomScrollBar
{
public:
    TGxCustomScrollBar(TGxScrollControl& owner, Qt::Orientation kind);
    TGxCustomScrollBar(const TGxCustomScrollBar&) = delete;
    TGxCustomScrollBar& operator=(const TGxCustomScrollBar&) = delete;
    virtual ~TGxCustomScrollBar() = default;

    Qt::Orientation Kind() const { return m_kind; }
    int Max() const { return m_max; }
    // Not below 0; the position follows a maximum that shrinks below it.
    void SetMax(int value);
    int Min() const { return m_min; }
    int Position() const { return m_position; }
    int OldPosition() const { return m_oldPosition; }
    // Clamped into Min..Max (and at least 0).
    void SetPosition(int value);
    int PageSize() const { return m_pageSize; }
    // A page of 0 or less is taken as 1.
    void SetPageSize(int value);
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int value) { m_smallChange = value; }
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int value) { m_largeChange = value; }
    bool AutoHide() const { return m_autoHide; }
    // Without auto-hide a bar without range stays on screen, disabled.
    void SetAutoHide(bool value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    bool ManualScroll() const { return m_manualScroll; }
    void SetManualScroll(bool value) { m_manualScroll = value; }
    TScrollCode LastScroll() const { return m_lastScroll; }
    void SetLastScroll(TScrollCode value) { m_lastScroll = value; }

    int UpdateCount() const { return m_updateCount; }
    // While an update is open, positions change without scrolling the owner's pixels.
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate() { --m_updateCount; }

    void First() { SetPosition(0); }
    void Last() { SetPosition(m_max - m_pageSize + 1); }
    // Saturates instead of overflowing for enormous moves.
    void MoveBy(int delta);
    // Ask the owner to scroll as the bar's arrows and track would.
    void LineDown();
    void LineUp();
    void PageDown();
    void PageUp();
    bool AtEnd() const { return m_position + m_pageSize >= m_max; }
    bool AtStart() const { return m_position == 0; }
    // Whether there is anything to scroll to: the window system shows the bar only then.
    bool HasRange() const { return m_max - m_min + 1 > std::max(m_pageSize, 1); }

    // Writes the model to the control's QScrollBar; nothing before the owner has a window.
    void Apply();

private:
    QScrollBar& Bar() const;

    TGxScrollControl& m_owner;
    Qt::Orientation m_kind;
    int m_max = 0;
    int m_min = 0;
    int m_position = 0;
    int m_oldPosition = 0;
    int m_pageSize = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    bool m_autoHide = true;
    bool m_enabled = true;
    bool m_visible = false;
    int m_updateCount = 0;
    bool m_manualScroll = false;
    TScrollCode m_lastScroll = scLine;
    bool m_applying = false;
};

class TGxScrollBar : public TGxCustomScrollBar
{
public:
    using TGxCustomScrollBar::TGxCustomScrollBar;
};

// The marker shown at the anchor point while roll scrolling runs.
class TRollShadow : public QWidget
{
    Q_OBJECT
public:
    explicit TRollShadow(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The scrolling base of the grid: a window with its own two scroll bars, painting its whole
// viewport itself. The two strips are the parts of the viewport that move when the horizontal or
// the vertical position changes; the owner sets them before painting.
class TGxCustomScrollControl : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TGxCustomScrollControl(QWidget* parent = nullptr);

    const QRect& HorzScrollStrip() const { return m_horzStrip; }
    void SetHorzScrollStrip(const QRect& value) { m_horzStrip = value; }
    const QRect& VertScrollStrip() const { return m_vertStrip; }
    void SetVertScrollStrip(const QRect& value) { m_vertStrip = value; }

private:
    QRect m_horzStrip;
    QRect m_vertStrip;
};

// The two scroll bar models, their scroll requests, pixel scrolling of the strips, the mouse
// wheel switch and roll scrolling with the middle button.
class TGxScrollControl : public TGxCustomScrollControl
{
    Q_OBJECT
public:
    // The cursor table numbers of the roll-scrolling cursors.
    static constexpr int crRoll = 4003;
    static constexpr int crRollUp = 4004;
    static constexpr int crRollDown = 4005;

    explicit TGxScrollControl(QWidget* parent = nullptr);

    TGxScrollBar& HorzScrollBar() { return m_horzScrollBar; }
    TGxScrollBar& VertScrollBar() { return m_vertScrollBar; }
    TGxScrollBar& ScrollBarOf(Qt::Orientation kind);

    // While set, the control handles the wheel itself (DoMouseWheel) instead of Qt's default.
    bool MouseWheelEnabled() const { return m_mouseWheelEnabled; }
    void SetMouseWheelEnabled(bool value) { m_mouseWheelEnabled = value; }

    bool RollAllowed() const { return m_rollAllowed; }
    void SetRollAllowed(bool value) { m_rollAllowed = value; }
    bool Rolling() const { return m_rolling; }
    TRollDirection RollDirection() const { return m_rollDirection; }
    // The roll tick interval for a pointer dy pixels from the anchor: 100 − |dy| ms, at least 1.
    static int RollInterval(int dy);
    static TRollDirection RollDirectionOf(int dy);

    // A scroll message of the bar of the kind: records the kind of scroll, computes the new
    // position, clamps it to the last position, sets it (which scrolls) and raises the event.
    virtual void ScrollMessage(Qt::Orientation kind, TScrollRequest request);
    // Moves the strip of the kind by the pixels, repainting only the band that is uncovered.
    void ScrollOwnerBy(Qt::Orientation kind, int distance);
    // Moves the focus to the next or previous control, as Tab and Shift+Tab would.
    void FocusNextControl(bool forward);

    std::function<void(QObject* Sender, int Position)> OnHorizontalScroll;
    std::function<void(QObject* Sender, int Position)> OnVerticalScroll;

protected:
    friend class TGxCustomScrollBar;

    // The pixels a change of position moves the content: right and down are positive.
    virtual int GetHorzScrollDistance(int oldPosition, int newPosition);
    virtual int GetVertScrollDistance(int oldPosition, int newPosition);
    virtual void BeforeScroll(Qt::Orientation) {}
    virtual void AfterScroll(Qt::Orientation) {}
    // Wheel notches (positive down) while MouseWheelEnabled is set.
    virtual void DoMouseWheel(int notches, Qt::KeyboardModifiers modifiers);

    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void StopRoll();

private:
    void ConnectBar(Qt::Orientation kind);
    void StartRoll(const QPoint& anchor);
    void RollTick();
    void SetRollCursor(int id);

    TGxScrollBar m_horzScrollBar{*this, Qt::Horizontal};
    TGxScrollBar m_vertScrollBar{*this, Qt::Vertical};
    bool m_mouseWheelEnabled = true;
    int m_wheelRemainder = 0;
    bool m_rollAllowed = true;
    bool m_rolling = false;
    QPoint m_rollAnchor;
    TRollDirection m_rollDirection = rdNone;
    QTimer m_rollTimer;
    TRollShadow* m_rollShadow;
};
