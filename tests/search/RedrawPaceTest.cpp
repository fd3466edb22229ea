#include "search/RedrawPace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

// Counts the message handlings it takes part in: it receives one posted event per handling and
// posts the next one as it receives it, which Qt delivers at the following handling.
class TMessageCounter : public QObject
{
public:
    TMessageCounter() { Post(); }
    int handled = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        Post();
        return true;
    }

private:
    void Post() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
};

void WaitAtLeast(qint64 nanoseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.nsecsElapsed() < nanoseconds) {
    }
}

} // namespace

// Called for every item of a run, the pace looks for messages at most once a millisecond, however
// often it is called.
TEST(RedrawPaceTest, messagesAreHandledAtMostOnceAMillisecond)
{
    QLabel status;
    TRedrawPace pace({&status});
    TMessageCounter counter;
    QElapsedTimer clock;
    clock.start();
    long calls = 0;
    while (clock.elapsed() < 40) {
        pace.HandleMessages();
        ++calls;
    }
    const qint64 milliseconds = clock.elapsed();
    EXPECT_GE(counter.handled, 1);
    EXPECT_LE(counter.handled, milliseconds + 2) << "over " << calls << " calls";
}

// A message that arrives between two handlings waits for no more than the millisecond.
TEST(RedrawPaceTest, aMessageIsHandledByTheFirstCallAMillisecondAfterTheLastHandling)
{
    QLabel status;
    TRedrawPace pace({&status});
    pace.HandleMessages();
    TMessageCounter counter;
    WaitAtLeast(TRedrawPace::MessageNanoseconds);
    pace.HandleMessages();
    EXPECT_EQ(counter.handled, 1);
}
