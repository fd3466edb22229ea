#include "CameraPictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace {

class TTiffWriter
{
public:
    explicit TTiffWriter(bool bigEndian) : m_bigEndian(bigEndian) {}

    void Put16(uint32_t value)
    {
        const char high = char(value >> 8 & 0xFF), low = char(value & 0xFF);
        m_bytes += m_bigEndian ? high : low;
        m_bytes += m_bigEndian ? low : high;
    }
    void Put32(uint32_t value) { Put16Pair(value >> 16, value & 0xFFFF); }
    void PutEntry(uint16_t tag, uint16_t type, uint32_t value)
    {
        Put16(tag);
        Put16(type);
        Put32(1);
        if (type == 3) { // a SHORT sits in the first two bytes of the value field
            Put16(value);
            Put16(0);
        } else {
            Put32(value);
        }
    }
    void Append(const QByteArray& bytes) { m_bytes += bytes; }
    uint32_t Size() const { return uint32_t(m_bytes.size()); }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    void Put16Pair(uint32_t high, uint32_t low)
    {
        Put16(m_bigEndian ? high : low);
        Put16(m_bigEndian ? low : high);
    }

    bool m_bigEndian;
    QByteArray m_bytes;
};

} // namespace

TExifLayout ExifLayout(QByteArray preview, QSize pixelSize)
{
    TExifLayout layout;
    layout.preview = std::move(preview);
    layout.pixelSize = pixelSize;
    return layout;
}

QByteArray ExifBlock(const TExifLayout& layout)
{
    constexpr uint32_t kMain = 8, kExif = kMain + 2 + 12 + 4;
    const bool recorded = layout.pixelSize.isValid();
    const uint32_t preview = kExif + 2 + (recorded ? 24 : 0) + 4;
    const uint32_t data = preview + 2 + 3 * 12 + 4;

    TTiffWriter tiff(layout.bigEndian);
    tiff.Append(layout.bigEndian ? "MM" : "II");
    tiff.Put16(42);
    tiff.Put32(kMain);
    tiff.Put16(layout.mainEntryCount.value_or(1));
    tiff.PutEntry(0x8769, 4, kExif);
    tiff.Put32(layout.nextDirectory.value_or(preview));
    tiff.Put16(recorded ? 2 : 0);
    if (recorded) {
        tiff.PutEntry(0xA002, 4, uint32_t(layout.pixelSize.width()));
        tiff.PutEntry(0xA003, 3, uint32_t(layout.pixelSize.height()));
    }
    tiff.Put32(0);
    EXPECT_EQ(tiff.Size(), preview);
    tiff.Put16(3);
    tiff.PutEntry(0x0103, 3, layout.compression);
    tiff.PutEntry(0x0201, 4, layout.previewOffset.value_or(data));
    tiff.PutEntry(0x0202, 4, layout.previewLength.value_or(uint32_t(layout.preview.size())));
    tiff.Put32(0);
    EXPECT_EQ(tiff.Size(), data);
    tiff.Append(layout.preview);
    return QByteArray("Exif\0\0", 6) + tiff.Bytes();
}

QByteArray FixturePath(const char* name)
{
    return QByteArray(TWINPICS_FIXTURES_DIR "/") + name;
}

QByteArray WithApp1(const QByteArray& jpeg, const QByteArray& data)
{
    const qsizetype length = data.size() + 2;
    EXPECT_LE(length, 0xFFFF);
    QByteArray segment("\xFF\xE1");
    segment += char(length >> 8 & 0xFF);
    segment += char(length & 0xFF);
    segment += data;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QByteArray EncodeJpeg(const QImage& picture, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(picture)) << writer.errorString().toStdString();
    return bytes;
}

QImage FilledPicture(QSize size, QRgb colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QByteArray WithDeclaredSize(QByteArray jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (jpeg[i] == '\xFF' && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}
