#include "platform/ProgressBar.h"

#include "platform/Exception.h"

#include <algorithm>

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
    if (m_max > m_min) {
        setRange(m_min, m_max);
        setValue(std::clamp(m_position, m_min, m_max));
    } else {
        setRange(0, 1);
        setValue(m_position > m_max ? 1 : 0);
    }
}
