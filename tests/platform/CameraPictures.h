#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <optional>

// The committed picture files of tests/data, made with exiftool as cameras write them:
// camera_ii.jpg, camera_mm.jpg (little- and big-endian Exif, 320 x 240 with a 160 x 120
// preview), camera_progressive.jpg, and camera_resized.jpg (its Exif says 640 x 480).
QByteArray FixturePath(const char* name);

// JPEG files as cameras write them: an Exif block (APP1) right after the start marker, holding
// the picture's pixel size and an embedded preview, in either byte order. The fields after the
// preview let a test make the block lie.
struct TExifLayout
{
    QByteArray preview; // the embedded JPEG
    QSize pixelSize;    // written to the Exif directory when valid
    bool bigEndian = false;
    uint16_t compression = 6;
    std::optional<uint32_t> previewOffset; // instead of the real one
    std::optional<uint32_t> previewLength;
    std::optional<uint32_t> nextDirectory; // the main directory's link to the preview's
    std::optional<uint16_t> mainEntryCount;
};

// A sound layout: the preview and the recorded pixel size (none when invalid).
TExifLayout ExifLayout(QByteArray preview, QSize pixelSize);

// The APP1 data: "Exif", two zero bytes and the TIFF structure.
QByteArray ExifBlock(const TExifLayout& layout);

// The JPEG with an APP1 segment holding the data inserted right after its start marker.
QByteArray WithApp1(const QByteArray& jpeg, const QByteArray& data);

// The picture encoded as a JPEG at quality 90.
QByteArray EncodeJpeg(const QImage& picture, bool progressive = false);

// A picture of one colour.
QImage FilledPicture(QSize size, QRgb colour);

// The same data with a frame header that claims another size (the first frame header found).
QByteArray WithDeclaredSize(QByteArray jpeg, int width, int height);
