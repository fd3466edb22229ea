#include "app/ButtonGlyphs.h"

#include <QColor>
#include <gtest/gtest.h>

namespace {

bool Transparent(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y).alpha() == 0;
}

bool Reddish(QColor c)
{
    return c.alpha() == 255 && c.red() > 150 && c.green() < 80 && c.blue() < 80;
}

} // namespace

TEST(ButtonGlyphsTest, picturesHaveTheirSizesAndATransparentGround)
{
    const struct
    {
        QImage image;
        QSize size;
    } glyphs[] = {{StartGlyph(), {22, 22}},
                  {StopGlyph(), {20, 20}},
                  {BackGlyph(), {18, 20}},
                  {CrossGlyph(), {20, 20}}};
    for (const auto& glyph : glyphs) {
        EXPECT_EQ(glyph.image.size(), glyph.size);
        EXPECT_TRUE(Transparent(glyph.image, 0, 0));
        EXPECT_TRUE(Transparent(glyph.image, glyph.size.width() - 1, 0));
    }
}

TEST(ButtonGlyphsTest, motifsShowTheirColours)
{
    const QImage stop = StopGlyph();
    EXPECT_TRUE(Reddish(stop.pixelColor(3, 10)));          // the sign's left edge
    EXPECT_EQ(stop.pixelColor(10, 12), QColor(Qt::white)); // the palm
    EXPECT_TRUE(Reddish(CrossGlyph().pixelColor(10, 10)));
    const QColor arrow = BackGlyph().pixelColor(12, 10);
    EXPECT_GT(arrow.blue(), arrow.red() + 60);
    EXPECT_TRUE(Transparent(BackGlyph(), 16, 3)); // left of the arrow's head only
    const QColor lens = StartGlyph().pixelColor(9, 9);
    EXPECT_GT(lens.blue(), 200);
}

TEST(ButtonGlyphsTest, corruptFilePictureIsBlackWordsOnWhite)
{
    const QImage picture = CorruptFilePicture();
    EXPECT_EQ(picture.size(), QSize(100, 80));
    EXPECT_EQ(picture.depth(), 24);
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(99, 79), QColor(Qt::white));
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark += picture.pixelColor(x, y).lightness() < 64;
    EXPECT_GT(dark, 100) << "no words drawn";
}
