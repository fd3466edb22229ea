#include "platform/JpegImage.h"

#include "SampleImages.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const QSize kThumbnail(100, 75);

QByteArray EncodeJpeg(const QImage& picture, bool progressive = false)
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

// The same data with a frame header that claims another size.
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

// The mean difference of the colour channels of two pictures of one size, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return 255;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) +
                   std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * x.width() * x.height());
}

class JpegImageTest : public ::testing::Test
{
protected:
    QTemporaryDir m_dir;
};

} // namespace

// The sample set's manifest is the oracle: a header Qt cannot read is a load failure, a header
// with a picture that does not decode is a decode failure, warnings still decode.
TEST_F(JpegImageTest, samplePicturesLoadAndDecodeAsTheManifestSays)
{
    const std::vector<TSample> samples = SamplesUnder(QStringLiteral("jpeg/"));
    ASSERT_GT(samples.size(), 50u);
    for (const TSample& sample : samples) {
        SCOPED_TRACE(sample.file.toStdString());
        const QByteArray path = CopySample(m_dir, sample.file);
        TJpegImage picture;
        const bool loads = sample.qtHeaderSize != QLatin1String("none");
        ASSERT_EQ(picture.LoadFromFile(path), loads) << picture.ErrorMessage().toStdString();
        if (!loads) {
            EXPECT_TRUE(picture.Empty());
            EXPECT_FALSE(picture.ErrorMessage().isEmpty());
            EXPECT_TRUE(picture.DecodeThumbnail(kThumbnail).isNull());
            continue;
        }
        const QSize size(picture.Width(), picture.Height());
        EXPECT_EQ(WxH(size), sample.qtHeaderSize);
        const bool decodes = sample.decode.startsWith(QLatin1String("yes"));
        const QImage thumbnail = picture.DecodeThumbnail(kThumbnail);
        EXPECT_EQ(!thumbnail.isNull(), decodes) << picture.ErrorMessage().toStdString();
        const QImage full = picture.Decode();
        EXPECT_EQ(!full.isNull(), decodes) << picture.ErrorMessage().toStdString();
        if (!decodes)
            continue;
        EXPECT_EQ(thumbnail.size(), kThumbnail);
        EXPECT_EQ(thumbnail.format(), QImage::Format_RGB32);
        EXPECT_EQ(full.size(), size);
        EXPECT_EQ(picture.WarningCount() > 0, sample.decode.contains(QLatin1String("warnings")));
    }
}

TEST_F(JpegImageTest, colourMatchesQtsOwnJpegReaderForGreyAndCmykPictures)
{
    for (const char* file :
         {"jpeg/valid/mozilla/jpg-gray.jpg", "jpeg/valid/pillow/hopper_gray.jpg",
          "jpeg/valid/mozilla/jpg-cmyk-1.jpg", "jpeg/valid/mozilla/jpg-cmyk-2.jpg",
          "jpeg/valid/jpeg-js/tree-cmyk.jpg", "jpeg/valid/pillow/pil_sample_cmyk.jpg",
          "jpeg/valid/go/video-001.cmyk.jpg", "jpeg/valid/libjpeg-turbo/testorig.jpg"}) {
        SCOPED_TRACE(file);
        const QByteArray path = CopySample(m_dir, QString::fromLatin1(file));
        TJpegImage picture;
        ASSERT_TRUE(picture.LoadFromFile(path));
        const QImage ours = picture.Decode();
        QImageReader reader(QFile::decodeName(path), "jpeg");
        reader.setAutoTransform(false);
        const QImage qts = reader.read();
        ASSERT_FALSE(qts.isNull());
        EXPECT_LT(MeanDifference(ours, qts), 3.0);
    }
}

TEST_F(JpegImageTest, thumbnailScaleIsTheSmallestDctScaleThatCoversTheThumbnail)
{
    EXPECT_EQ(TJpegImage::ThumbnailScale({4000, 3000}, kThumbnail), 8);
    EXPECT_EQ(TJpegImage::ThumbnailScale({800, 600}, kThumbnail), 8);
    EXPECT_EQ(TJpegImage::ThumbnailScale({793, 593}, kThumbnail), 8); // 100 x 75 after rounding up
    EXPECT_EQ(TJpegImage::ThumbnailScale({640, 480}, kThumbnail), 4);
    EXPECT_EQ(TJpegImage::ThumbnailScale({6000, 400}, kThumbnail), 4);
    EXPECT_EQ(TJpegImage::ThumbnailScale({200, 150}, kThumbnail), 2);
    EXPECT_EQ(TJpegImage::ThumbnailScale({150, 103}, kThumbnail), 1);
    EXPECT_EQ(TJpegImage::ThumbnailScale({1, 1000}, kThumbnail), 1);
}

TEST_F(JpegImageTest, scaledThumbnailLooksLikeTheStretchedFullPicture)
{
    TJpegImage picture;
    ASSERT_TRUE(picture.LoadFromFile(
        CopySample(m_dir, "jpeg/valid/debian-lomiri/Painting-Colors_by__herobrine7gamer.jpg")));
    const QImage thumbnail = picture.DecodeThumbnail(kThumbnail);
    const QImage full = picture.Decode();
    ASSERT_EQ(full.size(), QSize(6000, 4000));
    EXPECT_EQ(picture.Width(), 6000); // the header's size, not the decoded scale's
    EXPECT_LT(MeanDifference(thumbnail, StretchPicture(full, kThumbnail)), 4.0);
}

TEST_F(JpegImageTest, thumbnailStretchesWithoutKeepingProportions)
{
    const QByteArray path =
        WriteFile(m_dir, QStringLiteral("wide.jpg"), EncodeJpeg(QuarteredPicture(400, 60)));
    TJpegImage picture;
    ASSERT_TRUE(picture.LoadFromFile(path));
    const QImage thumbnail = picture.DecodeThumbnail(kThumbnail);
    ASSERT_EQ(thumbnail.size(), kThumbnail);
    // Every corner shows its quarter: nothing is cropped or letterboxed.
    const auto near = [](QRgb actual, QColor expected) {
        return std::abs(qRed(actual) - expected.red()) < 40 &&
               std::abs(qGreen(actual) - expected.green()) < 40 &&
               std::abs(qBlue(actual) - expected.blue()) < 40;
    };
    EXPECT_TRUE(near(thumbnail.pixel(2, 2), Qt::red));
    EXPECT_TRUE(near(thumbnail.pixel(97, 2), Qt::green));
    EXPECT_TRUE(near(thumbnail.pixel(2, 72), Qt::blue));
    EXPECT_TRUE(near(thumbnail.pixel(97, 72), Qt::white));
}

TEST_F(JpegImageTest, oneObjectDecodesRepeatedlyAndLoadsAnotherFile)
{
    const QByteArray first =
        WriteFile(m_dir, QStringLiteral("a.jpg"), EncodeJpeg(QuarteredPicture(320, 240)));
    const QByteArray second =
        WriteFile(m_dir, QStringLiteral("b.jpg"), EncodeJpeg(QuarteredPicture(64, 48), true));
    TJpegImage picture;
    ASSERT_TRUE(picture.LoadFromFile(first));
    EXPECT_EQ(picture.DecodeThumbnail(kThumbnail).size(), kThumbnail);
    EXPECT_EQ(picture.Decode().size(), QSize(320, 240));
    EXPECT_EQ(picture.Decode().size(), QSize(320, 240));
    ASSERT_TRUE(picture.LoadFromFile(second));
    EXPECT_EQ(picture.Decode().size(), QSize(64, 48));
    EXPECT_FALSE(picture.LoadFromFile(m_dir.filePath(QStringLiteral("missing.jpg")).toUtf8()));
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_TRUE(picture.Decode().isNull());
}

TEST_F(JpegImageTest, damagedFilesFailAtTheRightStepOrDecodeWithWarnings)
{
    const QByteArray jpeg = EncodeJpeg(QuarteredPicture(320, 240));
    TJpegImage picture;

    // Cut inside the picture data: the header loads, libjpeg fills the rest and warns.
    ASSERT_TRUE(picture.LoadFromFile(
        WriteFile(m_dir, QStringLiteral("half.jpg"), jpeg.left(jpeg.size() / 2))));
    EXPECT_FALSE(picture.DecodeThumbnail(kThumbnail).isNull());
    EXPECT_GT(picture.WarningCount(), 0);

    // Cut inside the header: nothing to load.
    EXPECT_FALSE(picture.LoadFromFile(WriteFile(m_dir, QStringLiteral("cut.jpg"), jpeg.left(100))));
    EXPECT_FALSE(picture.LoadFromFile(WriteFile(m_dir, QStringLiteral("empty.jpg"), {})));
    EXPECT_FALSE(picture.ErrorMessage().isEmpty());

    EXPECT_FALSE(picture.LoadFromFile(
        WriteFile(m_dir, QStringLiteral("png.jpg"), Encoded(QuarteredPicture(8, 8), "png"))));
    EXPECT_FALSE(picture.LoadFromFile(
        WriteFile(m_dir, QStringLiteral("text.jpg"), "just some text, not a picture at all")));
}

TEST_F(JpegImageTest, hugeDeclaredSizesFailWithoutTakingTheMemory)
{
    const QByteArray small = EncodeJpeg(QuarteredPicture(64, 64));
    TJpegImage picture;

    // Beyond what may be declared at all: refused before any decoding.
    ASSERT_TRUE(picture.LoadFromFile(
        WriteFile(m_dir, QStringLiteral("giant.jpg"), WithDeclaredSize(small, 60000, 60000))));
    EXPECT_EQ(picture.Width(), 60000);
    EXPECT_TRUE(picture.DecodeThumbnail(kThumbnail).isNull());
    EXPECT_TRUE(picture.Decode().isNull());

    // A full decode would exceed the picture limit; the thumbnail decodes at 1/8 (with warnings
    // about the missing data).
    ASSERT_TRUE(picture.LoadFromFile(
        WriteFile(m_dir, QStringLiteral("large.jpg"), WithDeclaredSize(small, 16000, 12000))));
    EXPECT_TRUE(picture.Decode().isNull());
    EXPECT_EQ(picture.DecodeThumbnail(kThumbnail).size(), kThumbnail);

    // A progressive picture keeps all its coefficients; libjpeg's memory limit stops it.
    const QByteArray progressive = EncodeJpeg(QuarteredPicture(64, 64), true);
    ASSERT_TRUE(picture.LoadFromFile(
        WriteFile(m_dir, QStringLiteral("deep.jpg"), WithDeclaredSize(progressive, 30000, 30000))));
    EXPECT_TRUE(picture.DecodeThumbnail(kThumbnail).isNull());
}

TEST_F(JpegImageTest, unreadableFileDoesNotLoad)
{
    const QByteArray path =
        WriteFile(m_dir, QStringLiteral("locked.jpg"), EncodeJpeg(QuarteredPicture(32, 32)));
    QFile::setPermissions(QFile::decodeName(path), QFileDevice::Permissions());
    if (IgnoresFilePermissions(m_dir))
        GTEST_SKIP() << "running with the right to read any file (root)";
    TJpegImage picture;
    EXPECT_FALSE(picture.LoadFromFile(path));
}
