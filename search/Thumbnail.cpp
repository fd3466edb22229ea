#include "search/Thumbnail.h"

#include "platform/FileSystem.h"
#include "platform/JpegImage.h"
#include "platform/Picture.h"
#include "search/ContentCompare.h"

namespace {

QString Resolution(QSize size)
{
    return QStringLiteral("%1 X %2").arg(size.width()).arg(size.height());
}

// A file that could not be loaded at all shows the placeholder and reports its size.
void AddUnloadable(TThumbnailResult& result, const QImage& placeholder)
{
    result.thumbnails.push_back(StretchPicture(placeholder, kThumbnailSize));
    result.resolution = Resolution(placeholder.size());
}

void AddJpeg(TThumbnailResult& result, const QByteArray& path, const QImage& placeholder)
{
    TJpegImage picture;
    if (!picture.LoadFromFile(path)) {
        AddUnloadable(result, placeholder);
        return;
    }
    QImage thumbnail = picture.DecodeThumbnail(kThumbnailSize);
    if (thumbnail.isNull()) {
        // The header promised a picture that the data did not hold: no size is claimed.
        result.thumbnails.push_back(StretchPicture(placeholder, kThumbnailSize));
        return;
    }
    result.thumbnails.push_back(std::move(thumbnail));
    result.resolution = Resolution(QSize(picture.Width(), picture.Height()));
}

// A picture Qt reads that cannot be read is treated like a JPEG that cannot be loaded, so one
// bad file costs its own thumbnail and nothing else.
void AddQtPicture(TThumbnailResult& result, const QByteArray& path, const QByteArray& format,
                  const QImage& placeholder)
{
    const QImage picture = ReadPicture(path, format);
    if (picture.isNull()) {
        AddUnloadable(result, placeholder);
        return;
    }
    result.thumbnails.push_back(StretchPicture(picture, kThumbnailSize));
    result.resolution = Resolution(picture.size());
}

QByteArray LowerCaseName(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1).toLower();
}

} // namespace

bool NameAsksForJpeg(const QByteArray& path)
{
    const QByteArray name = LowerCaseName(path);
    return name.contains(".jpg") || name.contains(".jpeg") || name.endsWith(".jpe");
}

bool NameAsksForBitmap(const QByteArray& path)
{
    return LowerCaseName(path).contains(".bmp");
}

QByteArray PluginFormatAskedFor(const QByteArray& path)
{
    return PluginFormatOf(ExtensionOf(path));
}

bool SameThumbnailFiles(const QByteArray& first, const QByteArray& second)
{
    const bool jpeg = NameAsksForJpeg(first);
    const bool bitmap = NameAsksForBitmap(first);
    const QByteArray plugin = PluginFormatAskedFor(first);
    if ((!jpeg && !bitmap && plugin.isEmpty()) || jpeg != NameAsksForJpeg(second) ||
        bitmap != NameAsksForBitmap(second) || plugin != PluginFormatAskedFor(second))
        return false;
    const auto measured = [](const QByteArray& path) {
        return TCandidateFile{path, {}, int64_t(FileSizeOf(path))};
    };
    return TContentComparer().Compare(measured(first), measured(second)) == TComparison::Identical;
}

int ThumbnailCount(const QByteArray& path)
{
    return int(NameAsksForJpeg(path)) + int(NameAsksForBitmap(path));
}

QString HeaderResolution(const QByteArray& path, const QImage& placeholder)
{
    QString resolution;
    if (NameAsksForJpeg(path)) {
        TJpegImage picture;
        resolution = Resolution(picture.LoadFromFile(path) ? QSize(picture.Width(), picture.Height())
                                                           : placeholder.size());
    }
    if (NameAsksForBitmap(path)) {
        const QSize size = ReadPictureSize(path, "bmp");
        resolution = Resolution(size.isValid() ? size : placeholder.size());
    }
    return resolution;
}

TThumbnailResult MakeThumbnail(const QByteArray& path, const QImage& placeholder)
{
    TThumbnailResult result;
    if (NameAsksForJpeg(path))
        AddJpeg(result, path, placeholder);
    if (NameAsksForBitmap(path))
        AddQtPicture(result, path, "bmp", placeholder);
    if (const QByteArray format = PluginFormatAskedFor(path); !format.isEmpty())
        AddQtPicture(result, path, format, placeholder);
    return result;
}
