#include "platform/Canvas.h"

#include "platform/Cursors.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A white 20 × 20 picture with a canvas over it.
class CanvasTest : public ::testing::Test
{
protected:
    CanvasTest() : image(20, 20, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        canvas = std::make_unique<TCanvas>(*painter, QRegion(image.rect()));
    }

    QImage& Done()
    {
        canvas.reset();
        painter->end();
        return image;
    }

    bool Black(const QImage& picture, int x, int y) const
    {
        return picture.pixel(x, y) == qRgb(0, 0, 0);
    }

    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<TCanvas> canvas;
};

} // namespace

TEST_F(CanvasTest, linesLeaveOutTheirEndPoint)
{
    canvas->SetPenColor(clBlack);
    canvas->MoveTo(0, 0);
    canvas->LineTo(5, 0);
    canvas->MoveTo(0, 10);
    canvas->LineTo(0, 5);
    canvas->Polyline({{10, 10}, {13, 13}, {16, 10}});
    const QImage& shot = Done();
    EXPECT_TRUE(Black(shot, 0, 0));
    EXPECT_TRUE(Black(shot, 4, 0));
    EXPECT_FALSE(Black(shot, 5, 0));
    EXPECT_TRUE(Black(shot, 0, 10));
    EXPECT_TRUE(Black(shot, 0, 6));
    EXPECT_FALSE(Black(shot, 0, 5));
    EXPECT_TRUE(Black(shot, 12, 12));
    EXPECT_TRUE(Black(shot, 13, 13)) << "a joint is the next line's start";
    EXPECT_TRUE(Black(shot, 15, 11));
    EXPECT_FALSE(Black(shot, 16, 10)) << "the polyline's last point";
}

TEST_F(CanvasTest, invertingTwiceAndTheFocusFrameTwiceRestoreThePicture)
{
    canvas->FillRect(QRect(2, 2, 6, 6), RGB(10, 200, 30));
    const QImage before = image.copy();
    canvas->InvertRect(QRect(0, 0, 4, 4));
    EXPECT_EQ(image.pixel(3, 3), qRgb(245, 55, 225));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(4, 4), qRgb(10, 200, 30));
    canvas->InvertRect(QRect(0, 0, 4, 4));
    canvas->DrawFocusRect(QRect(1, 1, 10, 8));
    EXPECT_NE(image, before);
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(2, 1), qRgb(255, 255, 255)) << "every other pixel";
    canvas->DrawFocusRect(QRect(1, 1, 10, 8));
    EXPECT_EQ(Done(), before);
}

TEST_F(CanvasTest, theClipKeepsDrawingInsideAndResetReturnsToThePaintedArea)
{
    canvas->SetClipRect(QRect(5, 5, 5, 5));
    EXPECT_EQ(canvas->ClipBox(), QRect(5, 5, 5, 5));
    EXPECT_TRUE(canvas->MeetsClip(QRect(0, 0, 5, 5))) << "touching counts";
    EXPECT_FALSE(canvas->MeetsClip(QRect(0, 0, 4, 4)));
    canvas->FillRect(QRect(0, 0, 20, 20), clBlack);
    canvas->ResetClip();
    canvas->ExcludeClipRect(QRect(0, 0, 20, 2));
    canvas->FillRect(QRect(0, 0, 20, 3), clBlack);
    const QImage& shot = Done();
    EXPECT_TRUE(Black(shot, 5, 5));
    EXPECT_TRUE(Black(shot, 9, 9));
    EXPECT_FALSE(Black(shot, 10, 10));
    EXPECT_FALSE(Black(shot, 4, 5));
    EXPECT_FALSE(Black(shot, 0, 1));
    EXPECT_TRUE(Black(shot, 0, 2));
}

TEST_F(CanvasTest, textIsMeasuredAndShortenedToItsRectangle)
{
    const QString text = QStringLiteral("/home/user/some folder/picture.jpg");
    QRect bounds(0, 0, 1000, 0);
    const int height = canvas->DrawText(text, bounds, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(height, canvas->TextHeight());
    EXPECT_EQ(bounds.width(), canvas->TextWidth(text));
    EXPECT_EQ(bounds.topLeft(), QPoint(0, 0));

    QRect empty(3, 4, 50, 0);
    canvas->DrawText(QString(), empty, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(empty.width(), 0);

    // Drawn with an end ellipsis into a narrow box, nothing passes its right edge.
    canvas->SetFontColor(clBlack);
    canvas->DrawText(text, QRect(0, 0, 12, 20), DT_SINGLELINE | DT_END_ELLIPSIS);
    const QImage& shot = Done();
    for (int y = 0; y < 20; ++y)
        for (int x = 12; x < 20; ++x)
            ASSERT_EQ(shot.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
}

TEST(Cursors, documentedNamesHaveShapesAndTheTableFallsBackToTheArrow)
{
    EXPECT_EQ(LoadCursorResource(QStringLiteral("HORZSPLIT")).shape(), Qt::SplitHCursor);
    EXPECT_EQ(LoadCursorResource(QStringLiteral("VERTSPLIT")).shape(), Qt::SplitVCursor);
    EXPECT_EQ(LoadCursorResource(QStringLiteral("ROLLDOWN")).shape(), Qt::BitmapCursor);
    EXPECT_EQ(LoadCursorResource(QStringLiteral("nothing")).shape(), Qt::ArrowCursor);
    TCursors::Screen().SetCursor(77, QCursor(Qt::WaitCursor));
    EXPECT_EQ(TCursors::Screen().Cursor(77).shape(), Qt::WaitCursor);
    EXPECT_EQ(TCursors::Screen().Cursor(78).shape(), Qt::ArrowCursor);
}
