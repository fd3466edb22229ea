#pragma once

#include "platform/Exception.h"

// The question whether themed drawing is in use could not be asked: "Error in Themes".
class EThemeError : public Exception
{
public:
    EThemeError();
};

// Whether controls draw themed, through the application's style, rather than in the classic
// look. Themes count as available unless the application runs with Qt's own classic "Windows"
// style (directly or under a proxy style). Raises EThemeError when there is no application
// whose style could be asked.
bool ThemesAvailable();
