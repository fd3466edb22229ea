#pragma once

#include <QByteArrayView>
#include <QSize>
#include <optional>

// The preview picture that cameras embed in a JPEG's Exif block, as the block describes it.
struct TExifPreview
{
    // The preview's own JPEG data, a part of the block it was found in.
    QByteArrayView jpeg;
    // The size of the main picture as the camera recorded it (the Exif pixel dimensions); an
    // invalid size when the block does not record both.
    QSize pixelSize;
};

// Whether the data of an APP1 segment is an Exif block ("Exif" and two zero bytes, then a TIFF
// structure).
bool IsExifBlock(QByteArrayView app1);

// The preview an Exif block holds: the JPEG data named by the first directory after the main
// one, and the pixel dimensions of the Exif directory. Nothing when the block holds no JPEG
// preview or does not hold together: a bad byte order or magic number, a directory or a value
// outside the block, a preview that does not start like a JPEG. Every offset is checked against
// the block, so a lying block can never make this read outside it.
std::optional<TExifPreview> ReadExifPreview(QByteArrayView app1);
