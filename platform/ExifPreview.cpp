#include "platform/ExifPreview.h"

#include <cstdint>

namespace {

constexpr QByteArrayView kExifHeader("Exif\0\0", 6);

constexpr uint16_t kTiffMagic = 42;
constexpr int kTiffHeaderSize = 8;
constexpr int kEntrySize = 12;

constexpr uint16_t kTagCompression = 0x0103;
constexpr uint16_t kTagExifDirectory = 0x8769;
constexpr uint16_t kTagPreviewOffset = 0x0201;
constexpr uint16_t kTagPreviewLength = 0x0202;
constexpr uint16_t kTagPixelWidth = 0xA002;
constexpr uint16_t kTagPixelHeight = 0xA003;

constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;
// The TIFF compression code of old-style JPEG data, which Exif uses for its preview.
constexpr uint32_t kCompressionJpeg = 6;

// The TIFF structure of an Exif block, read in its own byte order with every access checked
// against its end.
class TTiffReader
{
public:
    explicit TTiffReader(QByteArrayView tiff) : m_tiff(tiff) {}

    bool ReadHeader()
    {
        if (m_tiff.size() < kTiffHeaderSize)
            return false;
        if (m_tiff.startsWith("II"))
            m_bigEndian = false;
        else if (m_tiff.startsWith("MM"))
            m_bigEndian = true;
        else
            return false;
        return Read16(2) == kTiffMagic;
    }

    uint32_t FirstDirectory() const { return Read32(4); }

    // Whether the directory at the offset lies inside the structure, entries and next link too.
    bool IsDirectory(uint32_t offset) const
    {
        if (offset < kTiffHeaderSize || !Contains(offset, 2))
            return false;
        return Contains(int64_t(offset) + 2, int64_t(Read16(offset)) * kEntrySize + 4);
    }

    // The offset of the directory that follows the one at the offset (0 for none).
    uint32_t NextDirectory(uint32_t offset) const
    {
        return Read32(int64_t(offset) + 2 + int64_t(Read16(offset)) * kEntrySize);
    }

    // The single SHORT or LONG value of the tag in the directory, if it has one.
    std::optional<uint32_t> Value(uint32_t directory, uint16_t tag) const
    {
        const int count = Read16(directory);
        for (int i = 0; i < count; ++i) {
            const int64_t entry = int64_t(directory) + 2 + int64_t(i) * kEntrySize;
            if (Read16(entry) != tag)
                continue;
            if (Read32(entry + 4) != 1)
                return std::nullopt;
            switch (Read16(entry + 2)) {
            case kTypeShort:
                return Read16(entry + 8);
            case kTypeLong:
                return Read32(entry + 8);
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    bool Contains(int64_t offset, int64_t length) const
    {
        return offset >= 0 && length >= 0 && offset + length <= m_tiff.size();
    }

    QByteArrayView Part(uint32_t offset, uint32_t length) const
    {
        return m_tiff.sliced(offset, length);
    }

private:
    uint8_t Byte(int64_t offset) const { return uint8_t(m_tiff[qsizetype(offset)]); }

    // Callers check the range first; reads outside it give 0 rather than touching memory.
    uint16_t Read16(int64_t offset) const
    {
        if (!Contains(offset, 2))
            return 0;
        const uint16_t a = Byte(offset), b = Byte(offset + 1);
        return m_bigEndian ? uint16_t(a << 8 | b) : uint16_t(b << 8 | a);
    }

    uint32_t Read32(int64_t offset) const
    {
        if (!Contains(offset, 4))
            return 0;
        const uint32_t high = Read16(m_bigEndian ? offset : offset + 2);
        const uint32_t low = Read16(m_bigEndian ? offset + 2 : offset);
        return high << 16 | low;
    }

    QByteArrayView m_tiff;
    bool m_bigEndian = false;
};

QSize RecordedPixelSize(const TTiffReader& tiff, uint32_t mainDirectory)
{
    const std::optional<uint32_t> exif = tiff.Value(mainDirectory, kTagExifDirectory);
    if (!exif || !tiff.IsDirectory(*exif))
        return {};
    const std::optional<uint32_t> width = tiff.Value(*exif, kTagPixelWidth);
    const std::optional<uint32_t> height = tiff.Value(*exif, kTagPixelHeight);
    if (!width || !height || *width > INT32_MAX || *height > INT32_MAX)
        return {};
    return QSize(int(*width), int(*height));
}

} // namespace

bool IsExifBlock(QByteArrayView app1)
{
    return app1.startsWith(kExifHeader);
}

std::optional<TExifPreview> ReadExifPreview(QByteArrayView app1)
{
    if (!IsExifBlock(app1))
        return std::nullopt;
    TTiffReader tiff(app1.sliced(kExifHeader.size()));
    if (!tiff.ReadHeader())
        return std::nullopt;
    const uint32_t main = tiff.FirstDirectory();
    if (!tiff.IsDirectory(main))
        return std::nullopt;
    // Only the one directory after the main one is read, so a chain that loops back costs
    // nothing; one that points at the main directory itself is a lie.
    const uint32_t preview = tiff.NextDirectory(main);
    if (preview == main || !tiff.IsDirectory(preview))
        return std::nullopt;
    const std::optional<uint32_t> compression = tiff.Value(preview, kTagCompression);
    if (compression && *compression != kCompressionJpeg)
        return std::nullopt;
    const std::optional<uint32_t> offset = tiff.Value(preview, kTagPreviewOffset);
    const std::optional<uint32_t> length = tiff.Value(preview, kTagPreviewLength);
    if (!offset || !length || !tiff.Contains(*offset, *length))
        return std::nullopt;
    const QByteArrayView jpeg = tiff.Part(*offset, *length);
    if (!jpeg.startsWith("\xFF\xD8"))
        return std::nullopt;
    return TExifPreview{jpeg, RecordedPixelSize(tiff, main)};
}
