#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <vector>

// Lets a long run write its status controls for every item while they are drawn at most about
// 30 times a second: between two frames their repaints are held back, and when a frame is due
// the pending messages are handled with the controls drawn. Between frames, messages are handled
// at most once a millisecond: looking for them costs a few microseconds even when there are
// none, more than an item of a large search, and a millisecond is far below what a person
// notices, so the window and its buttons stay as responsive as when every item looked. When the
// pace ends, the controls are drawn again as they are then, so the last state is always seen.
class TRedrawPace
{
public:
    static constexpr int FrameMilliseconds = 33;
    static constexpr qint64 MessageNanoseconds = 1'000'000;

    explicit TRedrawPace(const std::vector<QWidget*>& controls);
    ~TRedrawPace();
    TRedrawPace(const TRedrawPace&) = delete;
    TRedrawPace& operator=(const TRedrawPace&) = delete;

    // Handles pending messages unless it did within the last millisecond; the controls are drawn
    // with them when a frame is due.
    void HandleMessages();

private:
    void Hold(bool held);

    // Only controls that were being drawn when the pace began: one held by its owner stays so.
    std::vector<QPointer<QWidget>> m_controls;
    QElapsedTimer m_sinceFrame;
    QElapsedTimer m_sinceMessages;
};
