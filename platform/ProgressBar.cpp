#include "platform/ProgressBar.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cstdint>

namespace {

[[noreturn]] void RangeError()
{
    throw EInvalidOperation(QStringLiteral("Property value out of range"));
}

} // namespace

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(false);
    ShowPosition();
}

void TProgressBar::SetMin(int value)
{
    if (value > m_max)
        RangeError();
    m_min = value;
    ShowPosition();
}

void TProgressBar::SetMax(int value)
{
    if (value < m_min)
        RangeError();
    m_max = value;
    ShowPosition();
}

void TProgressBar::SetPosition(int value)
{
    m_position = value;
    ShowPosition();
}

void TProgressBar::ShowPosition()
{
    // QProgressBar ignores values outside its range and shows an empty range as a busy
    // indicator; both are mapped here. An empty range is full once the position passes it.
    // A range of more steps than any screen has pixels is shown in ShownSteps steps: QProgressBar
    // weighs every new value against its drawing, which for a position moved once per file of
    // a large search costs more than the rest of the file's work.
    if (m_max > m_min) {
        const int64_t steps = int64_t(m_max) - m_min;
        const int64_t done = std::clamp(m_position, m_min, m_max) - int64_t(m_min);
        if (steps <= ShownSteps) {
            setRange(m_min, m_max);
            setValue(int(m_min + done));
        } else {
            setRange(0, ShownSteps);
            setValue(int(done * ShownSteps / steps));
        }
    } else {
        setRange(0, 1);
        setValue(m_position > m_max ? 1 : 0);
    }
}
