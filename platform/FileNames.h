#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes; the grids hold text. These two convert without loss: valid
// UTF-8 becomes its characters, and every byte that is not part of valid UTF-8 becomes the lone
// surrogate U+DC80..U+DCFF, which no valid UTF-8 produces, so the way back restores the exact
// bytes and the file can still be opened.
QString FileNameToText(const QByteArray& name);
QByteArray TextToFileName(const QString& text);

// The folder part of a path: everything before the last '/', or the root itself for a file in
// the root ("/pics/a.jpg" gives "/pics", "/a.jpg" gives "/"); "." for a bare name, which lies
// in the current folder.
QByteArray FolderOf(const QByteArray& path);
