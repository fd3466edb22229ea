#include "search/SearchView.h"

#include "platform/Application.h"

ESearchAbandoned::ESearchAbandoned() : Exception(QStringLiteral("The search was abandoned")) {}

ESearchStopped::ESearchStopped() : Exception(QStringLiteral("The search was stopped")) {}

void HandleMessages(const TSearchView& view)
{
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
