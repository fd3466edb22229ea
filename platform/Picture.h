#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <cstdint>

// Pictures read by their file's extension. JPEG goes through TJpegImage; the other formats go
// through Qt's image readers, always with the reader the extension names, never one guessed from
// the content.

// The most pixels a picture read here may have (512 MiB of 32-bit image).
constexpr int64_t kMaxPicturePixels = int64_t(1) << 27;

// The extension of the file name, in lower case; empty when the name has none.
QByteArray ExtensionOf(const QByteArray& path);
// The format of Qt's image plugins that reads files with the (lower-case) extension: "gif",
// "webp" and "tiff" (for "tif" and "tiff"); empty for any other extension.
QByteArray PluginFormatOf(const QByteArray& extension);

// The picture in the file, read with Qt's reader for the format ("bmp", "ico"). A null image when
// the file cannot be opened, is not in that format, cannot be decoded or holds more than
// kMaxPicturePixels pixels.
QImage ReadPicture(const QByteArray& path, const QByteArray& format);
// The size in pixels of that picture, read from the file's header alone; invalid when the file
// cannot be opened or its header is not one of the format.
QSize ReadPictureSize(const QByteArray& path, const QByteArray& format);

// The picture in the file, by its extension in any letter case: "jpg", "jpeg" and "jpe" decoded
// at full size with libjpeg, "bmp", "ico" and "png" with Qt's readers, and "gif", "webp", "tif"
// and "tiff" with Qt's image plugins. Null for any other extension and
// for a file that cannot be read or decoded.
QImage LoadPictureFile(const QByteArray& path);
// The size in pixels of the picture LoadPictureFile would give, read from the file's header
// alone; invalid when it would give none.
QSize PictureFileSize(const QByteArray& path);

// The picture stretched smoothly to exactly the size, proportions not kept, as 24-bit colour
// (QImage::Format_RGB32); see-through parts show white.
QImage StretchPicture(const QImage& picture, QSize size);
