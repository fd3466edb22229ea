#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <vector>

// One picture of the shared sample set, as its manifest describes it.
struct TSample
{
    QString file;         // relative to the sample folder
    QString decode;       // "yes", "yes (libjpeg warnings)", "no", "depends on decoder (...)"
    QString size;         // "WxH", "header WxH" or "unknown"
    QString qtHeaderSize; // what Qt's reader says before decoding: "WxH" or "none"
    QString qtRead;       // Qt's reader: "yes WxH..." or "no (...)"
};

// The manifest's rows whose file lies under the folder (for example "jpeg/").
std::vector<TSample> SamplesUnder(const QString& folder);

// Copies a sample into the folder (flat, under its own name) and returns the copy's path.
QByteArray CopySample(const QTemporaryDir& dir, const QString& file, const QString& newName = {});

// Writes the bytes to a file in the folder and returns its path.
QByteArray WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

// The picture in the format ("png", "bmp", "jpeg", ...), as a file would hold it.
QByteArray Encoded(const QImage& picture, const char* format);

// "WxH" of a size, as the manifest writes it.
QString WxH(QSize size);

// A picture with four coloured quarters (red, green / blue, white), easy to recognise when
// stretched.
QImage QuarteredPicture(int width, int height);

// Lets other users reach the folder's files, as a test under OrdinaryFileAccess needs: a
// temporary folder is private to its owner.
void LetOthersIn(const QTemporaryDir& dir);
