#pragma once

#include <QProgressBar>

// A progress bar with the classic range rules: a maximum below the minimum (or a minimum above
// the maximum) is refused with EInvalidOperation "Property value out of range" and changes
// nothing; a position outside the range is kept as given and drawn at the nearer end, so a
// position above the maximum shows a full bar. Min, Max and Position are kept as given; a range
// of more than ShownSteps steps is drawn in ShownSteps steps.
class TProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    static constexpr int ShownSteps = 10000;

    explicit TProgressBar(QWidget* parent = nullptr);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);

private:
    void ShowPosition();

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
};
