#include "platform/ExifPreview.h"

#include "CameraPictures.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QByteArray kPreview = QByteArray("\xFF\xD8") + QByteArray(40, 'p') + "\xFF\xD9";

std::optional<TExifPreview> ReadFromExactCopy(const QByteArray& block, qsizetype length)
{
    // A buffer of exactly the length, so the sanitizer sees any read past it.
    const std::vector<char> bytes(block.begin(), block.begin() + length);
    return ReadExifPreview(QByteArrayView(bytes.data(), length));
}

} // namespace

// A sound block, then the change that makes it lie.
QByteArray Block(const std::function<void(TExifLayout&)>& change = {})
{
    TExifLayout layout = ExifLayout(kPreview, QSize(4000, 3000));
    if (change)
        change(layout);
    return ExifBlock(layout);
}

TEST(ExifPreviewTest, findsThePreviewAndThePixelSizeInEitherByteOrder)
{
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "MM" : "II");
        const QByteArray block = Block([&](TExifLayout& l) { l.bigEndian = bigEndian; });
        EXPECT_TRUE(IsExifBlock(block));
        const std::optional<TExifPreview> preview = ReadExifPreview(block);
        ASSERT_TRUE(preview);
        EXPECT_EQ(preview->jpeg, kPreview);
        EXPECT_EQ(preview->pixelSize, QSize(4000, 3000));
    }
    const QByteArray block = Block([](TExifLayout& l) { l.pixelSize = QSize(); });
    const std::optional<TExifPreview> unrecorded = ReadExifPreview(block);
    ASSERT_TRUE(unrecorded);
    EXPECT_FALSE(unrecorded->pixelSize.isValid());
    EXPECT_EQ(unrecorded->jpeg, kPreview);
}

TEST(ExifPreviewTest, blocksThatLieGiveNoPreview)
{
    struct Case
    {
        const char* name;
        std::function<void(TExifLayout&)> change;
    };
    const Case cases[] = {
        {"offset past the end",
         [](TExifLayout& l) {
             l.previewOffset = 0x10000;
         }},
        {"length of 4 GB",
         [](TExifLayout& l) {
             l.previewLength = 0xFFFFFFFFu;
         }},
        {"length one past the end",
         [](TExifLayout& l) {
             l.bigEndian = true;
             l.previewLength = uint32_t(kPreview.size() + 1);
         }},
        {"offset and length that wrap around",
         [](TExifLayout& l) {
             l.previewOffset = 0xFFFFFFF0u;
             l.previewLength = 0x20;
         }},
        {"chain back to the main directory",
         [](TExifLayout& l) {
             l.nextDirectory = 8;
         }},
        {"directory past the end",
         [](TExifLayout& l) {
             l.nextDirectory = 0x7FFFFFFF;
         }},
        {"directory inside the header",
         [](TExifLayout& l) {
             l.nextDirectory = 2;
         }},
        {"no preview directory",
         [](TExifLayout& l) {
             l.nextDirectory = 0;
         }},
        {"entries past the end",
         [](TExifLayout& l) {
             l.mainEntryCount = 0xFFFF;
         }},
        {"uncompressed preview",
         [](TExifLayout& l) {
             l.compression = 1;
         }},
        {"preview that is not a JPEG",
         [](TExifLayout& l) {
             l.preview = QByteArray("\x89PNG\r\n\x1a\n") + kPreview;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(ReadExifPreview(Block(c.change)));
    }

    QByteArray badMagic = Block();
    badMagic[8] = 43;
    EXPECT_FALSE(ReadExifPreview(badMagic));
    QByteArray badOrder = Block();
    badOrder[6] = 'X';
    EXPECT_FALSE(ReadExifPreview(badOrder));
    EXPECT_FALSE(ReadExifPreview(QByteArray("Exif\0\0", 6)));
    EXPECT_FALSE(IsExifBlock("http://ns.adobe.com/xap/1.0/"));
    EXPECT_FALSE(
        ReadExifPreview(QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + Block().mid(6)));
}

// The preview is the last thing in the block: any shorter block holds only part of it, or only
// part of a directory, and must not be read past its end.
TEST(ExifPreviewTest, everyTruncationOfABlockIsRefusedWithoutReadingPastIt)
{
    for (bool bigEndian : {false, true}) {
        const QByteArray block = Block([&](TExifLayout& l) { l.bigEndian = bigEndian; });
        for (qsizetype length = 0; length <= block.size(); ++length)
            EXPECT_EQ(ReadFromExactCopy(block, length).has_value(), length == block.size())
                << "length " << length;
    }
}
