#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

// The halves of the spin buttons: which one is pressed, or which the pointer is over (both
// while it is over the edit).
enum class TSpinHalf { None, Up, Down, Both };

// The pair of small up and down buttons at the right end of a spin edit. Holding a half spins
// once at once, then, after a 400 ms delay, every 20 ms until it is let go.
class TGxSpinButtons : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDelayMs = 400;
    static constexpr int kRepeatMs = 20;

    explicit TGxSpinButtons(QWidget& edit);

    TSpinHalf PressedHalf() const { return m_pressed; }
    TSpinHalf HoverHalf() const { return m_hover; }
    void SetHoverHalf(TSpinHalf value);
    // The upper half for points above half the height, else the lower one.
    TSpinHalf HalfAt(QPoint point) const;

    // Holds a half down: one spin now, then the delay and the repeat.
    void Press(TSpinHalf half);
    // Lets go: no half is pressed and the timers stop.
    void Release();

    // What the timers run: the delay's end starts the repeat, and every repeat tick spins the
    // pressed half. Tests call them in place of waiting.
    void DelayElapsed();
    void RepeatTick();
    const QTimer& DelayTimer() const { return m_delay; }
    const QTimer& RepeatTimer() const { return m_repeat; }

    // Performs one spin in the edit.
    std::function<void(TSpinHalf half)> OnSpin;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRect UpperRect() const;
    QRect LowerRect() const;
    void DrawThemed(QPainter& painter) const;
    void DrawClassic(QPainter& painter) const;
    void Spin();

    QWidget& m_edit;
    TSpinHalf m_pressed = TSpinHalf::None;
    TSpinHalf m_hover = TSpinHalf::None;
    QTimer m_delay;
    QTimer m_repeat;
};
