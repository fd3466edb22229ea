#include "platform/Picture.h"

#include "platform/FileSystem.h"
#include "platform/JpegImage.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace {

// The extension of the file name, in lower case; empty when the name has none.
QByteArray ExtensionOf(const QByteArray& path)
{
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QByteArray() : name.mid(dot + 1).toLower();
}

} // namespace

QImage ReadPicture(const QByteArray& path, const QByteArray& format)
{
    const TFile file(path);
    QFile device;
    if (!file.IsOpen() ||
        !device.open(file.Handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {};
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    // Qt refuses, before allocating, a picture that would need more than this many megabytes
    // at four bytes a pixel; its default limit (128) would refuse ordinary large photos.
    reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)));
    return reader.read();
}

QImage LoadPictureFile(const QByteArray& path)
{
    const QByteArray extension = ExtensionOf(path);
    if (extension == "jpg" || extension == "jpeg") {
        TJpegImage picture;
        return picture.LoadFromFile(path) ? picture.Decode() : QImage();
    }
    if (extension == "bmp" || extension == "ico")
        return ReadPicture(path, extension);
    return {};
}

QImage StretchPicture(const QImage& picture, QSize size)
{
    const QImage stretched = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!stretched.hasAlphaChannel())
        return stretched.convertToFormat(QImage::Format_RGB32);
    QImage opaque(size, QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, stretched);
    return opaque;
}
