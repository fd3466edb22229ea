#pragma once

#include "app/MainForm.h"

#include <QElapsedTimer>
#include <cstdio>
#include <map>

// One figure of a benchmark, as every benchmark prints it: name=value, flushed at once so that
// a long run shows its figures as they come.
inline void PrintFigure(const char* name, double value)
{
    std::printf("%s=%.3f\n", name, value);
    std::fflush(stdout);
}

// Times the phases of the window's search: records when each phase starts, from the moment the
// clock is made, through the window's phase report.
class TSearchPhaseClock
{
public:
    explicit TSearchPhaseClock(TForm1& form) : m_form(form)
    {
        m_clock.start();
        m_form.OnSearchPhase = [this](TSearchPhase phase) {
            m_started[phase] = m_clock.nsecsElapsed();
        };
    }
    TSearchPhaseClock(const TSearchPhaseClock&) = delete;
    TSearchPhaseClock& operator=(const TSearchPhaseClock&) = delete;
    ~TSearchPhaseClock() { m_form.OnSearchPhase = {}; }

    // Marks the end of the run; a phase that never began a successor ends here.
    void Stop() { m_end = m_clock.nsecsElapsed(); }
    double TotalSeconds() const { return m_end / 1e9; }
    // From the start of one phase to the start of another, or to the end; 0 when the first
    // phase never started.
    double Seconds(TSearchPhase from, TSearchPhase to) const
    {
        const auto first = m_started.find(from);
        if (first == m_started.end())
            return 0.0;
        const auto next = m_started.find(to);
        return ((next == m_started.end() ? m_end : next->second) - first->second) / 1e9;
    }

private:
    TForm1& m_form;
    QElapsedTimer m_clock;
    std::map<TSearchPhase, qint64> m_started;
    qint64 m_end = 0;
};
