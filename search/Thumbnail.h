#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

// The size of every picture in the results' image list.
inline constexpr QSize kThumbnailSize(100, 75);

// What the thumbnail step gives one result row.
struct TThumbnailResult
{
    // The pictures to append to the image list, in order: none, one, or two when the name asks
    // for both steps (photo.bmp.jpg).
    std::vector<QImage> thumbnails;
    // The text of the Res column: "width X height" of the picture last measured; the
    // placeholder's size ("100 X 80") when a file could not be loaded; empty when no step
    // measured anything, or when a JPEG's header loaded but its data did not decode.
    QString resolution;
};

// Makes the thumbnails of the file. The name after the last '/', with its ASCII letters in lower
// case, chooses the steps: one that contains ".jpg" or ".jpeg" or ends with ".jpe" is decoded as
// JPEG, then one that contains ".bmp" is read as a bitmap, and one that ends with ".gif",
// ".webp", ".tif" or ".tiff" is read with Qt's plugin for that format. A file that cannot be
// loaded or decoded gets the
// placeholder (stretched to kThumbnailSize) instead; nothing here fails.
TThumbnailResult MakeThumbnail(const QByteArray& path, const QImage& placeholder);

// How many pictures MakeThumbnail gives the file: one for each step its name asks for.
int ThumbnailCount(const QByteArray& path);

// The text MakeThumbnail would give the Res column, read from the pictures' headers alone (no
// pixel is decoded): it differs only for a file whose header loads but whose data does not
// decode, which MakeThumbnail leaves without a size.
QString HeaderResolution(const QByteArray& path, const QImage& placeholder);

// Whether the name after the last '/' asks for the JPEG step: it contains ".jpg" or ".jpeg", or
// ends with ".jpe", in any ASCII case.
bool NameAsksForJpeg(const QByteArray& path);
// Whether it asks for the bitmap step: it contains ".bmp" in any ASCII case.
bool NameAsksForBitmap(const QByteArray& path);
// The plugin format its extension asks for ("gif", "webp", "tiff"), or empty.
QByteArray PluginFormatAskedFor(const QByteArray& path);

// Whether MakeThumbnail gives the two files the same result without decoding either: their names
// ask for the same steps, at least one, and they hold the same bytes (compared now, so a file
// changed or removed since the search compared it is not taken for its twin).
bool SameThumbnailFiles(const QByteArray& first, const QByteArray& second);
