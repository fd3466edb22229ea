#include "platform/ImageList.h"

#include "platform/Exception.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A picture with detail in every pixel, different for each seed.
QImage Pattern(int seed, QSize size = QSize(100, 75))
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y,
                             qRgb((x * 7 + seed) & 0xFF, (y * 13 + seed * 3) & 0xFF,
                                  (x * y + seed * 11) & 0xFF));
    return picture;
}

bool SamePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ImageListTest, pictureKIsTheKthAppendedWithEveryPixelKept)
{
    TImageList list(100, 75);
    std::vector<QImage> appended;
    for (int seed : {1, 2, 1, 3, 2, 2, 4})
        appended.push_back(Pattern(seed));
    for (size_t k = 0; k < appended.size(); ++k)
        EXPECT_EQ(list.Add(appended[k]), int(k));
    // A copy made elsewhere with the same pixels is the same picture too.
    EXPECT_EQ(list.Add(Pattern(3)), 7);
    appended.push_back(Pattern(3));

    ASSERT_EQ(list.Count(), 8);
    EXPECT_EQ(list.DistinctCount(), 4);
    for (size_t k = 0; k < appended.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(list.Image(int(k)).size(), QSize(100, 75));
        EXPECT_LE(list.Image(int(k)).depth(), 24);
        EXPECT_TRUE(SamePixels(list.Image(int(k)), appended[k]));
    }
    EXPECT_THROW(list.Image(8), EListError);
    EXPECT_THROW(list.Image(-1), EListError);

    // Changing a picture after appending it (twice) leaves the list's copy alone, and the
    // changed picture is a picture of its own.
    QImage changing = Pattern(9);
    list.Add(changing);
    list.Add(changing);
    changing.fill(Qt::black);
    list.Add(changing);
    EXPECT_TRUE(SamePixels(list.Image(8), Pattern(9)));
    EXPECT_TRUE(SamePixels(list.Image(9), Pattern(9)));
    EXPECT_TRUE(SamePixels(list.Image(10), changing));
    EXPECT_EQ(list.DistinctCount(), 6);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.DistinctCount(), 0);
    EXPECT_EQ(list.Add(Pattern(1)), 0);
}

TEST(ImageListTest, picturesOfAnotherSizeAreScaledToTheListsSize)
{
    TImageList list(100, 75);
    QImage wide(400, 60, QImage::Format_ARGB32);
    wide.fill(Qt::red);
    list.Add(wide);
    list.Add(Pattern(5, QSize(100, 80)));
    EXPECT_EQ(list.Image(0).size(), QSize(100, 75));
    EXPECT_EQ(list.Image(0).pixel(50, 30), qRgb(255, 0, 0));
    EXPECT_EQ(list.Image(1).size(), QSize(100, 75));
    EXPECT_EQ(list.DistinctCount(), 2);
}

TEST(ImageListTest, drawsPictureKOpaqueAtThePointAndNothingOutsideTheList)
{
    TImageList list(100, 75);
    list.Add(Pattern(1));
    list.Add(Pattern(2));
    QImage canvas(120, 90, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        list.Draw(painter, QPoint(10, 5), 1);
        list.Draw(painter, QPoint(0, 0), 2);
        list.Draw(painter, QPoint(0, 0), -1);
    }
    EXPECT_TRUE(SamePixels(canvas.copy(10, 5, 100, 75), Pattern(2)));
    EXPECT_EQ(canvas.pixel(5, 2), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(115, 85), qRgb(255, 255, 255));
}

// Places made ahead and filled in any order end as the same pictures appended in turn; an empty
// place draws nothing and has no picture to give, and a place is filled only once.
TEST(ImageListTest, emptyPlacesFilledInAnyOrderEndAsAppendedInTurn)
{
    TImageList inTurn(100, 75);
    TImageList filled(100, 75);
    const int seeds[] = {4, 1, 4, 2, 3};
    for (int seed : seeds)
        inTurn.Add(Pattern(seed));
    EXPECT_EQ(filled.Add(Pattern(7)), 0);
    EXPECT_EQ(filled.AddEmpty(5), 1);
    EXPECT_EQ(filled.Count(), 6);
    EXPECT_FALSE(filled.Holds(3));
    EXPECT_THROW(filled.Image(3), EListError);

    QImage canvas(100, 75, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        filled.Draw(painter, QPoint(0, 0), 3);
    }
    EXPECT_EQ(canvas.pixel(50, 30), qRgb(255, 255, 255));

    for (int k : {4, 0, 2, 3, 1})
        filled.Put(k + 1, Pattern(seeds[k]));
    for (int k = 0; k < 5; ++k) {
        EXPECT_TRUE(filled.Holds(k + 1));
        EXPECT_TRUE(SamePixels(filled.Image(k + 1), inTurn.Image(k))) << k;
    }
    EXPECT_EQ(filled.DistinctCount(), inTurn.DistinctCount() + 1);
    EXPECT_THROW(filled.Put(2, Pattern(9)), EInvalidOperation);
    EXPECT_THROW(filled.Put(6, Pattern(9)), EListError);
    EXPECT_FALSE(filled.Holds(6));
    EXPECT_FALSE(filled.Holds(-1));
}
