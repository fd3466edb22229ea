#pragma once

#include "platform/Picture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>

// A JPEG picture decoded with libjpeg. Loading reads only the header, so the picture's size is
// known before any pixel is decoded; decoding gives 24-bit colour (QImage::Format_RGB32) in
// libjpeg's best-quality mode with fancy upsampling. Grey pictures come out grey, CMYK and YCCK
// pictures (Adobe's inverted ones too) are turned into RGB.
//
// Damaged data that libjpeg can still decode (it warns and fills what it cannot read) counts as
// decoded; only errors that stop libjpeg count as failures. A failure never ends the program.
class TJpegImage
{
public:
    // The most pixels a picture may declare; beyond this even a scaled decode would spend
    // seconds on what is almost certainly a damaged header. The decoded picture itself may have
    // at most kMaxPicturePixels.
    static constexpr int64_t MaxDeclaredPixels = int64_t(1) << 30;

    TJpegImage();
    ~TJpegImage() noexcept;
    TJpegImage(const TJpegImage&) = delete;
    TJpegImage& operator=(const TJpegImage&) = delete;

    // Opens the file and reads the header. False when the file cannot be opened or libjpeg
    // refuses its header (not a JPEG, no frame, an unsupported precision, a size beyond its
    // limits); the picture is then empty. The file stays open for the decoding.
    bool LoadFromFile(const QByteArray& path);
    bool Empty() const;
    // The full size from the header; 0 when empty.
    int Width() const;
    int Height() const;

    // The whole picture at full size. A null image when nothing is loaded, the data cannot be
    // decoded or the picture is too large (see above).
    QImage Decode();
    // Decodes at the largest DCT scale (1/2, 1/4, 1/8) whose output still covers the size, then
    // stretches the result to exactly that size, smoothly, without keeping the proportions.
    // Null as for Decode().
    QImage DecodeThumbnail(QSize size);

    // The DCT scale DecodeThumbnail uses: the denominator (8, 4, 2 or 1) of the smallest output
    // that still covers the thumbnail in both directions.
    static int ThumbnailScale(QSize picture, QSize thumbnail);

    // libjpeg's message for the last failure; empty after a success.
    QString ErrorMessage() const;
    // How many warnings about damaged data the last decode gave.
    int WarningCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
