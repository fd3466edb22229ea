#include "platform/Picture.h"

#include "SampleImages.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A run-length coded 8-bit BMP of the size whose only code ends the picture: a few bytes that
// decode into a picture of any size.
QByteArray RleBmp(int width, int height)
{
    constexpr int kHeaders = 14 + 40 + 256 * 4;
    QByteArray bmp(kHeaders, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(kHeaders + 2, bmp.data() + 2); // file size
    qToLittleEndian<quint32>(kHeaders, bmp.data() + 10);    // pixel data offset
    qToLittleEndian<quint32>(40, bmp.data() + 14);          // info header size
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);   // planes
    qToLittleEndian<quint16>(8, bmp.data() + 28);   // bits per pixel
    qToLittleEndian<quint32>(1, bmp.data() + 30);   // RLE8
    qToLittleEndian<quint32>(2, bmp.data() + 34);   // data size
    qToLittleEndian<quint32>(256, bmp.data() + 46); // palette entries
    return bmp + QByteArray("\0\1", 2);             // end of bitmap
}

class PictureTest : public ::testing::Test
{
protected:
    QTemporaryDir m_dir;
};

} // namespace

// Qt's own verdict in the manifest is the oracle: the format is forced, never guessed.
TEST_F(PictureTest, sampleBitmapsReadAsTheManifestSays)
{
    const std::vector<TSample> samples = SamplesUnder(QStringLiteral("bmp/"));
    ASSERT_GT(samples.size(), 50u);
    for (const TSample& sample : samples) {
        SCOPED_TRACE(sample.file.toStdString());
        const QImage picture = ReadPicture(CopySample(m_dir, sample.file), "bmp");
        ASSERT_EQ(!picture.isNull(), sample.qtRead.startsWith(QLatin1String("yes ")));
        if (!picture.isNull()) {
            EXPECT_EQ(WxH(picture.size()), sample.qtRead.section(u' ', 1, 1));
        }
    }
}

TEST_F(PictureTest, wrongContentMissingFilesAndHugeClaimsAreFailures)
{
    EXPECT_TRUE(ReadPicture(WriteFile(m_dir, "text.bmp", "This is not a bitmap, only text."), "bmp")
                    .isNull());
    const QImage quarters = QuarteredPicture(8, 8);
    EXPECT_TRUE(ReadPicture(WriteFile(m_dir, "png.bmp", Encoded(quarters, "png")), "bmp").isNull());
    EXPECT_TRUE(ReadPicture(WriteFile(m_dir, "empty.bmp", {}), "bmp").isNull());
    EXPECT_TRUE(ReadPicture(QFile::encodeName(m_dir.filePath("gone.bmp")), "bmp").isNull());
    EXPECT_FALSE(
        ReadPicture(WriteFile(m_dir, "real.bmp", Encoded(quarters, "bmp")), "bmp").isNull());
}

TEST_F(PictureTest, largePicturesReadUpToTheLimit)
{
    // Beyond Qt's default allocation limit of 128 MB, within the program's.
    EXPECT_EQ(ReadPicture(WriteFile(m_dir, "large.bmp", RleBmp(10000, 6000)), "bmp").size(),
              QSize(10000, 6000));
    // Over kMaxPicturePixels: refused before it is allocated.
    EXPECT_TRUE(ReadPicture(WriteFile(m_dir, "huge.bmp", RleBmp(12000, 12000)), "bmp").isNull());
}

// A header that promises millions of rows in a file of 88 bytes (found by the picture fuzzer,
// as was a row and height whose product overflowed) is damaged: refused before anything is
// allocated. A large picture with its rows is read, and so is one cut short as long as it holds
// half of them.
TEST_F(PictureTest, anUncompressedBitmapWithoutItsRowsIsRefused)
{
    for (const char* name :
         {"bmp_tall_header_without_pixels.bmp", "bmp_huge_row_times_height.bmp"}) {
        QFile found(QStringLiteral(TWINPICS_SOURCE_DIR "/tests/fuzz/picture_seeds/") +
                    QLatin1String(name));
        ASSERT_TRUE(found.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(ReadPicture(WriteFile(m_dir, "found.bmp", found.readAll()), "bmp").isNull())
            << name;
    }

    QImage picture(2500, 2000, QImage::Format_Mono);
    picture.fill(1);
    const QByteArray whole = Encoded(picture, "bmp");
    EXPECT_EQ(ReadPicture(WriteFile(m_dir, "whole.bmp", whole), "bmp").size(), QSize(2500, 2000));
    const QByteArray half = whole.left(whole.size() / 2 + 100);
    EXPECT_EQ(ReadPicture(WriteFile(m_dir, "half.bmp", half), "bmp").size(), QSize(2500, 2000));
    const QByteArray third = whole.left(whole.size() / 3);
    EXPECT_TRUE(ReadPicture(WriteFile(m_dir, "third.bmp", third), "bmp").isNull());
}

TEST_F(PictureTest, loadPictureFileChoosesTheDecoderByExtension)
{
    const QImage quarters = QuarteredPicture(20, 10);
    const QByteArray jpeg = Encoded(quarters, "jpeg");
    EXPECT_EQ(LoadPictureFile(WriteFile(m_dir, "a.JPG", jpeg)).size(), QSize(20, 10));
    EXPECT_EQ(LoadPictureFile(WriteFile(m_dir, "a.jpeg", jpeg)).size(), QSize(20, 10));
    EXPECT_EQ(LoadPictureFile(WriteFile(m_dir, "a.Bmp", Encoded(quarters, "bmp"))).size(),
              QSize(20, 10));
    EXPECT_EQ(LoadPictureFile(WriteFile(m_dir, "a.ico", Encoded(quarters, "ico"))).size(),
              QSize(20, 10));
    EXPECT_EQ(LoadPictureFile(WriteFile(m_dir, "a.PNG", Encoded(quarters, "png"))).size(),
              quarters.size());
    EXPECT_TRUE(LoadPictureFile(WriteFile(m_dir, "jpeg-in.bmp", jpeg)).isNull());
    EXPECT_TRUE(LoadPictureFile(WriteFile(m_dir, "noextension", jpeg)).isNull());
    EXPECT_TRUE(LoadPictureFile(WriteFile(m_dir, "a.wmf", jpeg)).isNull());
}

TEST_F(PictureTest, pictureFileSizeReadsTheHeaderOfTheFormatsLoadPictureFileKnows)
{
    const QImage picture = QuarteredPicture(30, 16);
    EXPECT_EQ(PictureFileSize(WriteFile(m_dir, "a.jpg", Encoded(picture, "jpeg"))), QSize(30, 16));
    EXPECT_EQ(PictureFileSize(WriteFile(m_dir, "a.png", Encoded(picture, "png"))), QSize(30, 16));
    EXPECT_EQ(PictureFileSize(WriteFile(m_dir, "a.bmp", Encoded(picture, "bmp"))), QSize(30, 16));
    EXPECT_FALSE(PictureFileSize(WriteFile(m_dir, "a.txt", Encoded(picture, "png"))).isValid());
    EXPECT_FALSE(PictureFileSize(WriteFile(m_dir, "png.jpg", Encoded(picture, "png"))).isValid());
    EXPECT_FALSE(PictureFileSize(QFile::encodeName(m_dir.filePath("gone.png"))).isValid());
}

TEST(StretchPictureTest, fillsTheWholeSizeOpaque)
{
    const QImage stretched = StretchPicture(QuarteredPicture(400, 40), QSize(100, 75));
    ASSERT_EQ(stretched.size(), QSize(100, 75));
    EXPECT_EQ(stretched.format(), QImage::Format_RGB32);
    EXPECT_EQ(stretched.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(stretched.pixelColor(98, 1), QColor(Qt::green));
    EXPECT_EQ(stretched.pixelColor(1, 73), QColor(Qt::blue));
    EXPECT_EQ(stretched.pixelColor(98, 73), QColor(Qt::white));

    QImage seeThrough(10, 10, QImage::Format_ARGB32);
    seeThrough.fill(Qt::transparent);
    EXPECT_EQ(StretchPicture(seeThrough, QSize(100, 75)).pixelColor(50, 40), QColor(Qt::white));
}
