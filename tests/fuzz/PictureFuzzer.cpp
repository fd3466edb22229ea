// Feeds arbitrary bytes to the thumbnail step as a JPEG (libjpeg, and the preview in its Exif
// block), a bitmap (Qt's reader) and a file whose name asks for both. Beyond the sanitizers and
// the run's limits on time and memory, it checks what a result row relies on: one thumbnail per
// step, each exactly the thumbnail size, and a resolution that is empty, the placeholder's, or a
// real picture size. The Exif reader also gets the bytes from their first Exif header on, and
// must name a preview inside them.
#include "platform/ExifPreview.h"
#include "search/Thumbnail.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const QImage& Placeholder()
{
    static const QImage picture = [] {
        QImage image(100, 80, QImage::Format_RGB32);
        image.fill(Qt::red);
        return image;
    }();
    return picture;
}

const QByteArray& Folder()
{
    static const QByteArray folder = [] {
        const QByteArray path =
            QFile::encodeName(QDir::tempPath()) + "/picture_fuzzer." + QByteArray::number(getpid());
        QDir().mkpath(QFile::decodeName(path));
        return path;
    }();
    return folder;
}

[[noreturn]] void Fail(const char* what, const QByteArray& name)
{
    std::fprintf(stderr, "%s (as %s)\n", what, name.constData());
    std::abort();
}

void Check(const QByteArray& data, const char* name, size_t steps)
{
    const QByteArray path = Folder() + '/' + name;
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        Fail("cannot write the input", name);
    file.close();

    const TThumbnailResult result = MakeThumbnail(path, Placeholder());
    if (result.thumbnails.size() != steps)
        Fail("not one thumbnail per step", name);
    for (const QImage& thumbnail : result.thumbnails)
        if (thumbnail.size() != kThumbnailSize)
            Fail("a thumbnail of the wrong size", name);
    if (result.resolution.isEmpty() || result.resolution == QStringLiteral("100 X 80"))
        return;
    static const QRegularExpression size(QStringLiteral("^([1-9][0-9]*) X ([1-9][0-9]*)$"));
    const QRegularExpressionMatch match = size.match(result.resolution);
    if (!match.hasMatch() ||
        match.captured(1).toLongLong() * match.captured(2).toLongLong() > (int64_t(1) << 30))
        Fail("a resolution that is no picture size", name);
}

void CheckExifBlock(const QByteArray& input)
{
    const qsizetype start = input.indexOf(QByteArrayView("Exif\0\0", 6));
    if (start < 0)
        return;
    const QByteArrayView block = QByteArrayView(input).sliced(start);
    const std::optional<TExifPreview> preview = ReadExifPreview(block);
    if (preview && (preview->jpeg.data() < block.data() ||
                    preview->jpeg.data() + preview->jpeg.size() > block.data() + block.size()))
        Fail("a preview outside its Exif block", "block");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckExifBlock(input);
    Check(input, "input.jpg", 1);
    Check(input, "input.bmp", 1);
    Check(input, "input.bmp.jpg", 2);
    return 0;
}
