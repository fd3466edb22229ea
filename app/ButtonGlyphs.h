#pragma once

#include <QImage>

// The pictures of the main window's buttons, painted on a transparent ground.
QImage StartGlyph(); // a magnifying glass, 22 x 22
QImage StopGlyph();  // a red stop sign with a white raised hand, 20 x 20
QImage BackGlyph();  // a blue arrow pointing left, 18 x 20
QImage CrossGlyph(); // a red cross, 20 x 20
QImage LockGlyph();  // a closed padlock, 12 x 14: a reference file's row in the Delete column

// The thumbnail of a file that cannot be decoded: "Corrupt File" in black on white, 100 x 80,
// 24 bits per pixel.
QImage CorruptFilePicture();
