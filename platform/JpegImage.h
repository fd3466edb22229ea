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
// Loading reads the file only up to the first scan: the header and the Exif block before it.
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
    // The same for a picture held in memory (a preview embedded in another picture).
    bool LoadFromMemory(QByteArray bytes);
    bool Empty() const;
    // The full size from the header; 0 when empty.
    int Width() const;
    int Height() const;

    // The whole picture at full size. A null image when nothing is loaded, the data cannot be
    // decoded or the picture is too large (see above).
    QImage Decode();
    // The picture at 1 / denominator of its size (libjpeg's DCT scaling: 1, 2, 4 or 8; null for
    // any other). A progressive picture at 1/8 is read only as far as the scans that complete
    // the coefficients used at that scale (its DC scans, and for subsampled colour the first AC
    // scans too): nothing after them changes the picture.
    QImage DecodeScaled(int denominator);
    // The preview a camera embedded in the picture's Exif block, stretched smoothly to exactly
    // the size. Null unless the picture has one Exif block, whose preview is a JPEG that covers
    // the size, is no larger than the picture, has its aspect within 2 %, and decodes without a
    // warning, and whose recorded pixel size (when there is one) is the picture's own: anything
    // else may show a picture that was cropped or resized since, or none at all.
    QImage EmbeddedPreview(QSize size) const;
    // The thumbnail at exactly the size, without keeping the proportions: the embedded preview
    // when there is a sound one, otherwise the picture decoded at the largest DCT scale (1/2, 1/4,
    // 1/8) whose output still covers the size, stretched smoothly. Null as for Decode().
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
