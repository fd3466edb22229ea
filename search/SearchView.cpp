#include "search/SearchView.h"

#include "platform/Application.h"
#include "search/RedrawPace.h"

ESearchAbandoned::ESearchAbandoned() : Exception(QStringLiteral("The search was abandoned")) {}

ESearchStopped::ESearchStopped() : Exception(QStringLiteral("The search was stopped")) {}

void HandleMessages(const TSearchView& view)
{
    if (view.Pace)
        view.Pace->HandleMessages();
    else
        ProcessMessages();
    if (view.Abandoned)
        throw ESearchAbandoned();
}

void HandleMessagesInsideFile(const TSearchView& view)
{
    HandleMessages(view);
    if (IsIdle(view.StopFlag))
        throw ESearchStopped();
}
