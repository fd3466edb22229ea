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

class QRect;
class QWidget;
class TCanvas;

// The states of a themed header item.
enum THeaderItemState { hisNormal = 1, hisHot = 2, hisPressed = 3 };

// A header item's background as the application's style draws it, for the widget.
void DrawThemedHeaderItem(TCanvas& canvas, const QWidget& widget, const QRect& rect,
                          THeaderItemState state);
// A check box as the application's style draws it.
void DrawThemedCheckBox(TCanvas& canvas, const QWidget& widget, const QRect& rect, bool checked,
                        bool pressed, bool hot);
