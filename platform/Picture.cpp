#include "platform/Picture.h"

#include "platform/FileSystem.h"
#include "platform/JpegImage.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <cstdlib>

namespace {

// The format name of Qt's reader for an extension that Qt's own library does not read.
QByteArray ReaderFormatOf(const QByteArray& extension)
{
    const QByteArray plugin = PluginFormatOf(extension);
    return plugin.isEmpty() ? extension : plugin;
}

// Whether an uncompressed bitmap's header claims far more rows than the file holds. Qt allocates
// the whole picture and leaves the missing rows blank, so a few bytes could cost a gigabyte and
// seconds. A file cut short is still shown as far as it goes, unless it holds less than half of
// a large picture. Compressed bitmaps are left to Qt: a short run code may rightly fill a large
// picture.
bool ClaimsMissingRows(QIODevice& device, int64_t fileSize)
{
    const QByteArray header = device.peek(34);
    if (header.size() < 34 || !header.startsWith("BM"))
        return false;
    const auto infoSize = qFromLittleEndian<quint32>(header.constData() + 14);
    if (infoSize < 40)
        return false;
    const auto width = int64_t(qFromLittleEndian<qint32>(header.constData() + 18));
    const auto height = int64_t(qFromLittleEndian<qint32>(header.constData() + 22));
    const auto bitsPerPixel = int64_t(qFromLittleEndian<quint16>(header.constData() + 28));
    const auto compression = qFromLittleEndian<quint32>(header.constData() + 30);
    constexpr quint32 kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields)
        return false;
    constexpr int64_t kLargePicturePixels = int64_t(1) << 22;
    if (std::abs(width) * std::abs(height) <= kLargePicturePixels)
        return false;
    // Rows are padded to whole 32-bit words; the product of a huge row and height would not fit.
    const int64_t rowBytes = (std::abs(width) * bitsPerPixel + 31) / 32 * 4;
    return rowBytes > 2 * fileSize / std::abs(height);
}

bool IsJpeg(const QByteArray& extension)
{
    return extension == "jpg" || extension == "jpeg" || extension == "jpe";
}

bool IsQtFormat(const QByteArray& extension)
{
    return extension == "bmp" || extension == "ico" || extension == "png" ||
           !PluginFormatOf(extension).isEmpty();
}

// A reader of the format, never one guessed from the content, with a raised but bounded size
// limit.
void PrepareReader(QImageReader& reader)
{
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    // Qt refuses, before allocating, a picture that would need more than this many megabytes
    // at four bytes a pixel; its default limit (128) would refuse ordinary large photos.
    reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)));
}

// A cleared picture of the size and format the header names, for the reader to decode into. Qt
// leaves the pixels that damaged data never reaches (a run-length code cut short, rows missing)
// as the memory held before, so without it one file would look different at every reading.
QImage ClearedPicture(QImageReader& reader)
{
    const QSize size = reader.size();
    if (!size.isValid() || int64_t(size.width()) * size.height() > kMaxPicturePixels)
        return {};
    QImage picture(size, reader.imageFormat());
    if (!picture.isNull())
        picture.fill(0);
    return picture;
}

// Pixels may name colours past the end of a file's palette, and Qt's conversions would read
// beyond its table for them: they are black.
void CompleteColourTable(QImage& picture)
{
    constexpr qsizetype kIndexedColours = 256;
    if (picture.format() != QImage::Format_Indexed8 || picture.colorCount() >= kIndexedColours)
        return;
    QList<QRgb> table = picture.colorTable();
    table.resize(kIndexedColours, qRgb(0, 0, 0));
    picture.setColorTable(table);
}

// What the action reads from the file through a reader of the format; an empty result when the
// file cannot be opened.
template <typename Result, typename Action>
Result WithReader(const QByteArray& path, const QByteArray& format, Action action)
{
    const TFile file(path);
    QFile device;
    if (!file.IsOpen() ||
        !device.open(file.Handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return Result();
    if (format == "bmp" && ClaimsMissingRows(device, file.Size()))
        return Result();
    QImageReader reader(&device, format);
    PrepareReader(reader);
    return action(reader);
}

} // namespace

QByteArray ExtensionOf(const QByteArray& path)
{
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QByteArray() : name.mid(dot + 1).toLower();
}

QByteArray PluginFormatOf(const QByteArray& extension)
{
    if (extension == "gif" || extension == "webp" || extension == "tiff")
        return extension;
    return extension == "tif" ? QByteArray("tiff") : QByteArray();
}

QImage ReadPicture(const QByteArray& path, const QByteArray& format)
{
    return WithReader<QImage>(path, format, [](QImageReader& reader) {
        QImage picture = ClearedPicture(reader);
        if (!reader.read(&picture))
            return QImage();
        CompleteColourTable(picture);
        return picture;
    });
}

QSize ReadPictureSize(const QByteArray& path, const QByteArray& format)
{
    return WithReader<QSize>(path, format, [](QImageReader& reader) { return reader.size(); });
}

QImage LoadPictureFile(const QByteArray& path)
{
    const QByteArray extension = ExtensionOf(path);
    if (IsJpeg(extension)) {
        TJpegImage picture;
        return picture.LoadFromFile(path) ? picture.Decode() : QImage();
    }
    if (IsQtFormat(extension))
        return ReadPicture(path, ReaderFormatOf(extension));
    return {};
}

QSize PictureFileSize(const QByteArray& path)
{
    const QByteArray extension = ExtensionOf(path);
    if (IsJpeg(extension)) {
        TJpegImage picture;
        return picture.LoadFromFile(path) ? QSize(picture.Width(), picture.Height()) : QSize();
    }
    if (!IsQtFormat(extension))
        return {};
    return ReadPictureSize(path, ReaderFormatOf(extension));
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
