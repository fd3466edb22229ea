#include "search/SearchView.h"

#include "platform/Application.h"

ESearchAbandoned::ESearchAbandoned() : Exception(QStringLiteral("The search was abandoned")) {}

void HandleMessages(const TSearchView& view)
{
    ProcessMessages();
    if (view.Abandoned)
        throw ESearchAbandoned();
}
