#include "search/Thumbnail.h"

#include "SampleImages.h"
#include "platform/Picture.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Black on white, like the real one, with a mark that survives stretching.
QImage Placeholder()
{
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(40, 30, 20, 20, Qt::black);
    return picture;
}

class ThumbnailTest : public ::testing::Test
{
protected:
    TThumbnailResult Make(const QString& name, const QByteArray& bytes)
    {
        return MakeThumbnail(WriteFile(m_dir, name, bytes), m_placeholder);
    }

    bool IsPlaceholder(const QImage& thumbnail) const
    {
        return thumbnail == StretchPicture(m_placeholder, kThumbnailSize);
    }

    QTemporaryDir m_dir;
    const QImage m_placeholder = Placeholder();
    const QByteArray m_jpeg = Encoded(QuarteredPicture(320, 200), "jpeg");
    const QByteArray m_bmp = Encoded(QuarteredPicture(64, 48), "bmp");
};

} // namespace

TEST_F(ThumbnailTest, jpegGetsItsThumbnailAndFullSize)
{
    const TThumbnailResult result = Make("photo.jpg", m_jpeg);
    ASSERT_EQ(result.thumbnails.size(), 1u);
    const QImage& thumbnail = result.thumbnails[0];
    EXPECT_EQ(thumbnail.size(), kThumbnailSize);
    EXPECT_GT(qRed(thumbnail.pixel(5, 5)), 200); // the red quarter
    EXPECT_LT(qGreen(thumbnail.pixel(5, 5)), 60);
    EXPECT_EQ(result.resolution, QStringLiteral("320 X 200"));
}

TEST_F(ThumbnailTest, theNameChoosesTheSteps)
{
    struct Case
    {
        const char* name;
        bool jpegContent;
        size_t thumbnails;
        const char* resolution;
    };
    const Case cases[] = {
        {"PHOTO.JPG", true, 1, "320 X 200"},
        {"photo.jpeg", true, 1, "320 X 200"},
        {"photo.jpg.png", true, 1, "320 X 200"}, // ".jpg" anywhere in the name
        {"photo.png", true, 0, ""},
        {"photo", true, 0, ""},
        {"Picture.BMP", false, 1, "64 X 48"},
        {"photo.bmp.png", false, 1, "64 X 48"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TThumbnailResult result = Make(c.name, c.jpegContent ? m_jpeg : m_bmp);
        EXPECT_EQ(result.thumbnails.size(), c.thumbnails);
        EXPECT_EQ(result.resolution, QString::fromLatin1(c.resolution));
        for (const QImage& thumbnail : result.thumbnails)
            EXPECT_FALSE(IsPlaceholder(thumbnail));
    }
    // Only the file's own name counts, not its folder's.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("album.jpg"));
    EXPECT_TRUE(Make("album.jpg/cover.png", m_jpeg).thumbnails.empty());
}

TEST_F(ThumbnailTest, jpegThatCannotBeLoadedShowsThePlaceholderAndItsSize)
{
    const QByteArray png = Encoded(QuarteredPicture(8, 8), "png");
    for (const auto& [name, bytes] :
         {std::pair{"empty.jpg", QByteArray()}, std::pair{"png.jpg", png},
          std::pair{"cut.jpg", m_jpeg.left(60)}}) {
        SCOPED_TRACE(name);
        const TThumbnailResult result = Make(name, bytes);
        ASSERT_EQ(result.thumbnails.size(), 1u);
        EXPECT_TRUE(IsPlaceholder(result.thumbnails[0]));
        EXPECT_EQ(result.resolution, QStringLiteral("100 X 80"));
    }
    // Deleted between its comparison and its row.
    const TThumbnailResult gone =
        MakeThumbnail(QFile::encodeName(m_dir.filePath("gone.jpg")), m_placeholder);
    ASSERT_EQ(gone.thumbnails.size(), 1u);
    EXPECT_TRUE(IsPlaceholder(gone.thumbnails[0]));
    EXPECT_EQ(gone.resolution, QStringLiteral("100 X 80"));
}

TEST_F(ThumbnailTest, jpegWhoseDataDoesNotDecodeShowsThePlaceholderWithoutSize)
{
    const TThumbnailResult result = MakeThumbnail(
        CopySample(m_dir, "jpeg/corrupt/imagetestsuite/5315c35bbcc28d8eee419028ac9f38e0.jpg"),
        m_placeholder);
    ASSERT_EQ(result.thumbnails.size(), 1u);
    EXPECT_TRUE(IsPlaceholder(result.thumbnails[0]));
    EXPECT_TRUE(result.resolution.isEmpty());

    // Damaged data that libjpeg still decodes is a picture.
    const TThumbnailResult truncated =
        MakeThumbnail(CopySample(m_dir, "jpeg/corrupt/pillow/truncated_jpeg.jpg"), m_placeholder);
    ASSERT_EQ(truncated.thumbnails.size(), 1u);
    EXPECT_FALSE(IsPlaceholder(truncated.thumbnails[0]));
    EXPECT_EQ(truncated.resolution, QStringLiteral("100 X 100"));
}

// A bitmap that cannot be read gets the placeholder like a JPEG that cannot be loaded, and the
// row is complete.
TEST_F(ThumbnailTest, bitmapThatCannotBeReadShowsThePlaceholderAndItsSize)
{
    const TThumbnailResult text = Make("notes.bmp", "only text, not a bitmap at all");
    ASSERT_EQ(text.thumbnails.size(), 1u);
    EXPECT_TRUE(IsPlaceholder(text.thumbnails[0]));
    EXPECT_EQ(text.resolution, QStringLiteral("100 X 80"));

    const TThumbnailResult bad =
        MakeThumbnail(CopySample(m_dir, "bmp/invalid/image-rs/Bad_width.bmp"), m_placeholder);
    ASSERT_EQ(bad.thumbnails.size(), 1u);
    EXPECT_TRUE(IsPlaceholder(bad.thumbnails[0]));
}

TEST_F(ThumbnailTest, namesAskingForBothStepsGetTwoThumbnailsInOrder)
{
    // A JPEG: its thumbnail, then the bitmap step's placeholder, whose size is the last word.
    const TThumbnailResult jpeg = Make("photo.bmp.jpg", m_jpeg);
    ASSERT_EQ(jpeg.thumbnails.size(), 2u);
    EXPECT_FALSE(IsPlaceholder(jpeg.thumbnails[0]));
    EXPECT_TRUE(IsPlaceholder(jpeg.thumbnails[1]));
    EXPECT_EQ(jpeg.resolution, QStringLiteral("100 X 80"));

    // A bitmap: the JPEG step's placeholder, then its thumbnail and size.
    const TThumbnailResult bitmap = Make("scan.jpg.bmp", m_bmp);
    ASSERT_EQ(bitmap.thumbnails.size(), 2u);
    EXPECT_TRUE(IsPlaceholder(bitmap.thumbnails[0]));
    EXPECT_FALSE(IsPlaceholder(bitmap.thumbnails[1]));
    EXPECT_EQ(bitmap.resolution, QStringLiteral("64 X 48"));
}

// GIF, WebP and TIFF pictures (made with ImageMagick) go through Qt's image plugins, in any
// letter case of their extension; one that no reader decodes keeps the placeholder.
TEST_F(ThumbnailTest, pluginFormatsGetTheirThumbnailsAndSizes)
{
    for (const char* name : {"quartered.gif", "quartered.webp", "quartered.tiff"}) {
        SCOPED_TRACE(name);
        QFile fixture(QStringLiteral(TWINPICS_FIXTURES_DIR "/") + QLatin1String(name));
        ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
        const QByteArray bytes = fixture.readAll();
        const QString upper = QString::fromLatin1(name).toUpper();
        for (const QString& copy : {QString::fromLatin1(name), upper}) {
            const TThumbnailResult result = Make(copy, bytes);
            ASSERT_EQ(result.thumbnails.size(), 1u);
            const QImage& thumbnail = result.thumbnails[0];
            EXPECT_EQ(thumbnail.size(), kThumbnailSize);
            EXPECT_GT(qRed(thumbnail.pixel(5, 5)), 200); // the red quarter
            EXPECT_LT(qBlue(thumbnail.pixel(5, 5)), 60);
            EXPECT_LT(qRed(thumbnail.pixel(5, 70)), 60); // the blue one
            EXPECT_EQ(result.resolution, QStringLiteral("40 X 30"));
        }
        EXPECT_EQ(PictureFileSize(WriteFile(m_dir, upper, bytes)), QSize(40, 30));
    }
    for (const char* name : {"broken.gif", "broken.webp", "broken.tif"}) {
        const TThumbnailResult broken = Make(QLatin1String(name), "GIF89a not really");
        ASSERT_EQ(broken.thumbnails.size(), 1u) << name;
        EXPECT_TRUE(IsPlaceholder(broken.thumbnails[0])) << name;
    }
}
