#pragma once

#include "platform/Graphics.h"

#include <QImage>
#include <QRect>

class QPainter;

// The classic look's frame controls, drawn pixel by pixel in the system colours so that they do
// not depend on the application's style.

// A raised push button: clBtnHighlight and cl3DLight along the top and left, cl3DDkShadow and
// clBtnShadow along the bottom and right, clBtnFace inside. An inactive button looks the same;
// only what is drawn on it greys out. Returns the face inside the frame.
QRect DrawClassicButton(QPainter& painter, const QRect& rect);

// A pushed, flat button: clBtnFace framed by one clBtnShadow line. Returns the face inside.
QRect DrawClassicFlatButton(QPainter& painter, const QRect& rect);

enum TArrowDirection { adUp, adDown };

// One half of a spin control: a raised button (flat when pushed, the arrow then one pixel lower
// and to the right) carrying a small triangle, in clBtnText, or embossed grey when inactive.
void DrawClassicScrollButton(QPainter& painter, const QRect& rect, TArrowDirection direction,
                             bool pushed, bool inactive);

// A copy of image in which every pixel of the colour is transparent; clNone leaves it opaque.
QImage WithTransparentColor(const QImage& image, TColor color);
