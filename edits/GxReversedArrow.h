#pragma once

#include <QCursor>

// The mirrored arrow that edit boxes show over their select-all zone: it points up and to the
// right, with its hot spot at the tip. Drawn once, on first use.
const QCursor& ReversedArrowCursor();

// The number under which edits register it in the toolkit's cursor table.
constexpr int kReversedArrowCursorId = 1000;
