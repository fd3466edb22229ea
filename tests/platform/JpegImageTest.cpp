#include "platform/JpegImage.h"

#include "CameraPictures.h"
#include "SampleImages.h"
#include "support/OrdinaryFileAccess.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

const QSize kThumbnail(100, 75);

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
    const QByteArray open =
        WriteFile(m_dir, QStringLiteral("open.jpg"), EncodeJpeg(QuarteredPicture(32, 32)));
    QFile::setPermissions(QFile::decodeName(path), QFileDevice::Permissions());
    QFile::setPermissions(QFile::decodeName(open), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    LetOthersIn(m_dir);
    const OrdinaryFileAccess ordinary;
    TJpegImage picture;
    EXPECT_TRUE(picture.LoadFromFile(open));
    EXPECT_FALSE(picture.LoadFromFile(path));
}

namespace {

const QRgb kPreviewBlue = qRgb(0, 0, 255);

bool LooksBlue(QRgb pixel)
{
    return qBlue(pixel) > 200 && qRed(pixel) < 60 && qGreen(pixel) < 60;
}

bool LooksRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

// An 800 x 600 picture whose top-left quarter is red, carrying a blue preview: the thumbnail's
// colour tells where it came from.
QByteArray CameraPicture(TExifLayout layout, QSize size = QSize(800, 600))
{
    return WithApp1(EncodeJpeg(QuarteredPicture(size.width(), size.height())), ExifBlock(layout));
}

TExifLayout SoundLayout(QSize preview = QSize(160, 120), QSize recorded = QSize(800, 600))
{
    return ExifLayout(EncodeJpeg(FilledPicture(preview, kPreviewBlue)), recorded);
}

// A noisy picture, so that every scan of a progressive encoding carries detail.
QImage NoisyPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    uint32_t state = 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            picture.setPixel(x, y, qRgb(x * 255 / width, int(state >> 24), y * 255 / height));
        }
    return picture;
}

// libjpeg's own decode at 1/8 with the settings of a reduced decode, every scan read.
QImage ReferenceEighth(const QByteArray& jpeg)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    info.scale_num = 1;
    info.scale_denom = 8;
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
    info.do_block_smoothing = FALSE;
    jpeg_start_decompress(&info);
    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

} // namespace

TEST_F(JpegImageTest, soundEmbeddedPreviewMakesTheThumbnailAndResStaysTheFrameSize)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        QSize size;
    };
    TExifLayout bigEndian = SoundLayout();
    bigEndian.bigEndian = true;
    const QByteArray camera = CameraPicture(SoundLayout());
    const Case cases[] = {
        {"as cameras write it", camera, {800, 600}},
        {"big-endian block", CameraPicture(bigEndian), {800, 600}},
        {"no pixel size recorded", CameraPicture(SoundLayout({160, 120}, {})), {800, 600}},
        {"portrait", CameraPicture(SoundLayout({120, 160}, {600, 800}), {600, 800}), {600, 800}},
        {"aspect 1 % off", CameraPicture(SoundLayout({160, 121}, {800, 600})), {800, 600}},
        // Loading reads no further than the header, so the picture's data is never needed.
        {"picture data cut off", camera.left(camera.lastIndexOf("\xFF\xDA") + 20), {800, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TJpegImage picture;
        ASSERT_TRUE(picture.LoadFromFile(WriteFile(m_dir, QStringLiteral("camera.jpg"), c.file)));
        EXPECT_EQ(QSize(picture.Width(), picture.Height()), c.size);
        EXPECT_FALSE(picture.EmbeddedPreview(kThumbnail).isNull());
        const QImage thumbnail = picture.DecodeThumbnail(kThumbnail);
        ASSERT_EQ(thumbnail.size(), kThumbnail);
        EXPECT_EQ(thumbnail.format(), QImage::Format_RGB32);
        EXPECT_TRUE(LooksBlue(thumbnail.pixel(5, 5)));
        EXPECT_TRUE(LooksBlue(thumbnail.pixel(95, 70)));
        EXPECT_EQ(picture.WarningCount(), 0);
    }
}

// Whatever is wrong with the Exif block or its preview, the thumbnail comes from the picture.
// (Blocks whose offsets lie are refused by the Exif reader; its own tests show them.)
TEST_F(JpegImageTest, previewThatDoesNotFitOrCannotBeTrustedFallsBackToThePicture)
{
    struct Case
    {
        const char* name;
        QByteArray file;
    };
    const QByteArray jpeg = EncodeJpeg(QuarteredPicture(800, 600));
    const QByteArray block = ExifBlock(SoundLayout());
    const QByteArray preview = EncodeJpeg(FilledPicture({160, 120}, kPreviewBlue));
    const Case cases[] = {
        {"no Exif block", jpeg},
        {"preview smaller than the thumbnail", CameraPicture(SoundLayout({80, 60}))},
        {"picture resized since", CameraPicture(SoundLayout({160, 120}, {1600, 1200}))},
        {"picture cropped since", CameraPicture(SoundLayout({160, 160}, {}))},
        {"aspect 3 % off", CameraPicture(SoundLayout({160, 124}, {}))},
        {"preview larger than the picture", CameraPicture(SoundLayout({1600, 1200}, {}))},
        {"preview cut short",
         CameraPicture(ExifLayout(preview.left(preview.size() / 2), {800, 600}))},
        {"preview that is not a JPEG",
         CameraPicture(ExifLayout(Encoded(QuarteredPicture(160, 120), "png"), {}))},
        {"preview with a damaged header", CameraPicture(ExifLayout(preview.left(30), {}))},
        {"preview header of 65535 x 65535",
         CameraPicture(ExifLayout(WithDeclaredSize(preview, 65535, 65535), {}))},
        {"two Exif blocks", WithApp1(WithApp1(jpeg, block), block)},
    };
    // Beyond the declared limit the picture is refused as today, whatever its preview says.
    TJpegImage giant;
    ASSERT_TRUE(
        giant.LoadFromFile(WriteFile(m_dir, QStringLiteral("giant.jpg"),
                                     WithApp1(WithDeclaredSize(jpeg, 40000, 30000),
                                              ExifBlock(ExifLayout(preview, {40000, 30000}))))));
    EXPECT_TRUE(giant.EmbeddedPreview(kThumbnail).isNull());
    EXPECT_TRUE(giant.DecodeThumbnail(kThumbnail).isNull());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TJpegImage picture;
        ASSERT_TRUE(picture.LoadFromFile(WriteFile(m_dir, QStringLiteral("camera.jpg"), c.file)));
        EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(800, 600));
        EXPECT_TRUE(picture.EmbeddedPreview(kThumbnail).isNull());
        const QImage thumbnail = picture.DecodeThumbnail(kThumbnail);
        ASSERT_EQ(thumbnail.size(), kThumbnail);
        EXPECT_TRUE(LooksRed(thumbnail.pixel(5, 5)));
    }
}

// Files written by a real Exif tool, in both byte orders: the preview is taken where it fits and
// looks like the picture.
TEST_F(JpegImageTest, previewsOfFilesWrittenByAnExifToolAreTakenWhereTheyFit)
{
    for (const auto& [name, fits] :
         {std::pair{"camera_ii.jpg", true}, std::pair{"camera_mm.jpg", true},
          std::pair{"camera_progressive.jpg", true}, std::pair{"camera_resized.jpg", false}}) {
        SCOPED_TRACE(name);
        TJpegImage picture;
        ASSERT_TRUE(picture.LoadFromFile(FixturePath(name)));
        EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(320, 240));
        const QImage preview = picture.EmbeddedPreview(kThumbnail);
        EXPECT_EQ(!preview.isNull(), fits);
        const QImage thumbnail = picture.DecodeThumbnail(kThumbnail);
        EXPECT_LT(MeanDifference(thumbnail, StretchPicture(picture.Decode(), kThumbnail)), 4.0);
    }
}

TEST_F(JpegImageTest, exifBlockWithoutAPictureDoesNotLoad)
{
    const QByteArray block = ExifBlock(SoundLayout());
    TJpegImage picture;
    EXPECT_FALSE(picture.LoadFromFile(
        WriteFile(m_dir, QStringLiteral("frameless.jpg"), WithApp1("\xFF\xD8\xFF\xD9", block))));
    EXPECT_FALSE(picture.LoadFromFile(WriteFile(m_dir, QStringLiteral("png.jpg"),
                                                Encoded(QuarteredPicture(8, 8), "png") + block)));
    EXPECT_TRUE(picture.EmbeddedPreview(kThumbnail).isNull());
    EXPECT_TRUE(picture.DecodeThumbnail(kThumbnail).isNull());
}

TEST_F(JpegImageTest, progressivePictureAtOneEighthHasThePixelsOfAFullDecode)
{
    std::vector<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("noise"), EncodeJpeg(NoisyPicture(643, 481), true)},
        {QStringLiteral("grey"),
         EncodeJpeg(NoisyPicture(200, 120).convertToFormat(QImage::Format_Grayscale8), true)},
        {QStringLiteral("baseline"), EncodeJpeg(NoisyPicture(320, 240))},
    };
    for (const char* sample :
         {"jpeg/valid/go/video-001.progressive.jpg", "jpeg/valid/image-size/progressive.jpg",
          "jpeg/valid/mozilla/jpg-progressive.jpg",
          "jpeg/corrupt/go/video-001.progressive.truncated.jpg"}) {
        QFile file(TestDataDir() + QLatin1Char('/') + QLatin1String(sample));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << sample;
        files.emplace_back(QString::fromLatin1(sample), file.readAll());
    }
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name.toStdString());
        TJpegImage picture;
        ASSERT_TRUE(picture.LoadFromFile(WriteFile(m_dir, QStringLiteral("p.jpg"), bytes)));
        const QImage eighth = picture.DecodeScaled(8);
        ASSERT_FALSE(eighth.isNull());
        EXPECT_EQ(eighth, ReferenceEighth(bytes));
        // Again from the same object: the early stop leaves it ready for the next decode.
        EXPECT_EQ(picture.DecodeScaled(8), eighth);
        EXPECT_EQ(picture.Decode().size(), QSize(picture.Width(), picture.Height()));
    }
}

// The last scans of a progressive picture refine only its AC coefficients; cutting into them
// costs a full decode a warning, while a decode at 1/8 stops before it gets there.
TEST_F(JpegImageTest, progressiveDecodeAtOneEighthStopsAfterTheDcScans)
{
    const QByteArray whole = EncodeJpeg(NoisyPicture(640, 480), true);
    const QByteArray cut = whole.left(whole.lastIndexOf("\xFF\xDA") + 40);
    TJpegImage picture;
    ASSERT_TRUE(picture.LoadFromFile(WriteFile(m_dir, QStringLiteral("cut.jpg"), cut)));
    EXPECT_FALSE(picture.Decode().isNull());
    EXPECT_GT(picture.WarningCount(), 0);
    const QImage eighth = picture.DecodeScaled(8);
    EXPECT_EQ(picture.WarningCount(), 0);
    TJpegImage complete;
    ASSERT_TRUE(complete.LoadFromFile(WriteFile(m_dir, QStringLiteral("whole.jpg"), whole)));
    EXPECT_EQ(eighth, complete.DecodeScaled(8));
    EXPECT_TRUE(picture.DecodeScaled(3).isNull());
}
