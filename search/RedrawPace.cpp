#include "search/RedrawPace.h"

#include "platform/Application.h"

TRedrawPace::TRedrawPace(const std::vector<QWidget*>& controls)
{
    for (QWidget* control : controls)
        if (control->updatesEnabled())
            m_controls.emplace_back(control);
    // The first call draws: what the run wrote before it is seen at once.
    Hold(true);
}

TRedrawPace::~TRedrawPace()
{
    Hold(false);
}

void TRedrawPace::HandleMessages()
{
    if (m_sinceFrame.isValid() && m_sinceFrame.elapsed() < FrameMilliseconds) {
        if (m_sinceMessages.nsecsElapsed() < MessageNanoseconds)
            return;
        ProcessMessages();
        m_sinceMessages.start();
        return;
    }
    Hold(false);
    ProcessMessages();
    Hold(true);
    m_sinceFrame.start();
    m_sinceMessages.start();
}

// A control whose updates are off drops its repaint requests; turning them on again asks for a
// repaint of the whole control.
void TRedrawPace::Hold(bool held)
{
    for (const QPointer<QWidget>& control : m_controls)
        if (control)
            control->setUpdatesEnabled(!held);
}
