#pragma once

#include <QIcon>

// The program's icon, as its menu entry shows it: the pictures rendered from the project's
// drawing at 48, 128 and 256 pixels.
QIcon AppIcon();
