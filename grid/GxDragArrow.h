#pragma once

#include <QWidget>

// One of the two small arrows that mark where a dragged column would be dropped: above the
// header pointing down, or below it pointing up.
class TDragArrow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Size = 9;

    explicit TDragArrow(bool pointsDown);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pointsDown;
};
