#pragma once

#include <QSize>

class QWidget;

// The classic toolkit sizes windows by their outer frame (caption and borders included); Qt by
// their client area. These convert through the frame the window system reports, which is known
// only once the window has been shown: before that the frame counts as zero.
QSize OuterSize(const QWidget& window);
void SetOuterSize(QWidget& window, QSize outer);
