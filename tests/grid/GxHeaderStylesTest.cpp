#include "GridViewSupport.h"
#include "grid/GxOfficeSchemes.h"
#include "grid/shared/GxSharedCommon.h"

namespace {

constexpr int kIndicator = 12;
constexpr int kWidth = 60;
// Column A (sorted ascending) spans x 12..71, column B 72..131.
constexpr int kRightOfA = kIndicator + kWidth - 1;
constexpr int kInsideB = kIndicator + kWidth + 20;
constexpr int kRightOfB = kIndicator + 2 * kWidth - 1;

// A small grid with every strip on, its first column sorted: each header style draws all of it.
class HeaderStylesTest : public GridViewTest
{
protected:
    void SetUp() override
    {
        GridViewTest::SetUp();
        grid.SetOptions({goGrid, goHeader, goIndicator, goFooter, goInput});
        grid.SetRowSize(20);
        for (const char* name : {"A", "B"}) {
            auto& column = grid.Columns().Add<TGxTextColumn>(QString::fromLatin1(name));
            column.SetWidth(kWidth);
            column.Header().SetCaption(QString::fromLatin1(name));
        }
        grid.Columns().Items(0).SetSorted(true);
        grid.AddRow();
        grid.AddRow();
        Show(200, 200);
    }
    void TearDown() override { SetCurrentOfficeScheme(2); }

    // The grid's frame, which the shared set-up takes away to leave the viewport the whole grid.
    void GiveFrame()
    {
        grid.SetBorderStyle(bsNone);
        grid.SetBorderStyle(bsSingle);
    }

    int HeaderBottom() const { return grid.HeaderSize() - 1; }
    static QRgb Scheme(TOfficeSchemeEntry entry) { return Rgb(OfficeSchemeColor(entry)); }
    static QRgb Inverted(QRgb rgb)
    {
        return qRgb(255 - qRed(rgb), 255 - qGreen(rgb), 255 - qBlue(rgb));
    }

    // Whether any pixel of the rectangle has the colour.
    static bool Shows(const QImage& image, const QRect& rect, QRgb rgb)
    {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (image.pixel(x, y) == rgb)
                    return true;
        return false;
    }
};

} // namespace

TEST_F(HeaderStylesTest, vistaMarksTheSortedColumnWithABandAndATopArrowOnly)
{
    grid.SetHeaderStyle(hsVista);
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(kIndicator + 3, 0), qRgb(175, 220, 240));
    EXPECT_EQ(shot.pixel(kIndicator + 3, 8), qRgb(255, 255, 255));
    // The arrow: 6 pixels wide and 3 high, its tip in the middle of the header's top row.
    const int centre = kIndicator + kWidth / 2;
    EXPECT_EQ(shot.pixel(centre - 1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(centre, 0), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(centre - 2, 0), shot.pixel(kIndicator + 3, 0));
    EXPECT_EQ(shot.pixel(centre - 3, 2), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(kInsideB, 8), qRgb(240, 240, 240));
    EXPECT_EQ(shot.pixel(kRightOfA + 1, 8), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(kRightOfA, 8), Rgb(clBtnFace));
    // No arrow after the caption: the sorted header right of it is white.
    EXPECT_FALSE(Shows(shot, QRect(centre + 4, 4, 24, grid.HeaderSize() - 8), Rgb(clGrayText)));
}

TEST_F(HeaderStylesTest, office2007DrawsTheSchemesFrameGradientAndLines)
{
    grid.SetHeaderStyle(hsOffice2007);
    GiveFrame();
    const QImage whole = grid.grab().toImage();
    EXPECT_EQ(whole.pixel(0, 0), Scheme(oeBorder));
    EXPECT_EQ(whole.pixel(whole.width() - 1, whole.height() / 2), Scheme(oeBorder));
    EXPECT_EQ(Scheme(oeBorder), qRgb(0x65, 0x93, 0xCF)) << "scheme 2 at start";

    QImage shot = Grab();
    EXPECT_EQ(shot.pixel(kInsideB, 0), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(kInsideB, HeaderBottom()), Scheme(oeBorder));
    EXPECT_EQ(shot.pixel(kRightOfA, 5), Scheme(oeSeparator));
    EXPECT_EQ(shot.pixel(kRightOfB, 5), Scheme(oeBorder));
    // The strip between the footer and the rows.
    EXPECT_EQ(shot.pixel(kInsideB, grid.GetFooterRect().top() + 1), Scheme(oeGradientEnd));

    // A pressed header turns its gradient over instead of being inverted.
    grid.SetPressedHeaderColumn(1);
    grid.viewport()->repaint();
    shot = Grab();
    EXPECT_EQ(shot.pixel(kInsideB, 0), Scheme(oeGradientEnd));
    const int height = grid.HeaderSize();
    EXPECT_EQ(shot.pixel(kInsideB, height - 2),
              Rgb(BlendColors(OfficeSchemeColor(oeGradientEnd), clWhite, (height - 2.0) / height)));
}

TEST_F(HeaderStylesTest, office2010FollowsTheCurrentSchemeAndFillsItsArrow)
{
    SetCurrentOfficeScheme(4);
    grid.SetHeaderStyle(hsOffice2010);
    GiveFrame();
    const QImage whole = grid.grab().toImage();
    EXPECT_EQ(whole.pixel(0, 0), qRgb(0x84, 0x9D, 0xBD));
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(kInsideB, 0), qRgb(0xEF, 0xF5, 0xFB));
    EXPECT_EQ(shot.pixel(kInsideB, HeaderBottom()), qRgb(0x84, 0x9D, 0xBD));
    const QRect sortedHeader(kIndicator, 0, kWidth, grid.HeaderSize());
    EXPECT_TRUE(Shows(shot, sortedHeader, qRgb(0xA5, 0xAC, 0xB5)));
    EXPECT_TRUE(Shows(shot, sortedHeader, qRgb(0, 0, 0)));
    EXPECT_FALSE(Shows(shot, QRect(kIndicator + kWidth, 0, kWidth, grid.HeaderSize()),
                       qRgb(0xA5, 0xAC, 0xB5)));
}

TEST_F(HeaderStylesTest, flatHeadersHaveAGreyLineRightAndBelow)
{
    grid.SetHeaderStyle(hsFlatBorders);
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(kRightOfA, 5), Rgb(clGrayText));
    EXPECT_EQ(shot.pixel(kInsideB, HeaderBottom()), Rgb(clGrayText));
    EXPECT_EQ(shot.pixel(kInsideB, 1), Rgb(clBtnFace));
    EXPECT_EQ(shot.pixel(kIndicator - 1, 5), Rgb(clGrayText)) << "the indicator's header part";
}

TEST_F(HeaderStylesTest, oldStyleBoxesAreFramedAndAPressedOneIsInverted)
{
    grid.SetHeaderStyle(hsOldStyle);
    QImage shot = Grab();
    EXPECT_EQ(shot.pixel(kIndicator + kWidth, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(shot.pixel(kRightOfB, HeaderBottom()), Rgb(clWindowFrame));
    EXPECT_EQ(shot.pixel(kInsideB, 5), Rgb(clBtnFace));
    grid.SetPressedHeaderColumn(1);
    grid.viewport()->repaint();
    shot = Grab();
    EXPECT_EQ(shot.pixel(kInsideB + 20, 5), Inverted(Rgb(clBtnFace)));
}

TEST_F(HeaderStylesTest, outlookHeadersDarkenIntoAShadowAndUseTheBaseIndicator)
{
    grid.SetHeaderStyle(hsOutlook);
    QImage shot = Grab();
    const int bottom = grid.HeaderSize();
    EXPECT_EQ(shot.pixel(kInsideB, bottom - 3), Rgb(MixColors(clBtnShadow, clBtnFace, 50)));
    EXPECT_EQ(shot.pixel(kInsideB, bottom - 2), Rgb(MixColors(clBtnShadow, clBtnFace, 100)));
    EXPECT_EQ(shot.pixel(kInsideB, bottom - 1), Rgb(MixColors(clBtnShadow, clBtnFace, 150)));

    // The base indicator cell of the second row, and the current row's mark in the first.
    const QRect second = grid.GetCellRect(0, 1);
    EXPECT_EQ(shot.pixel(0, second.top() + 3), Rgb(clBtnHighlight));
    EXPECT_EQ(shot.pixel(1, second.top()), Rgb(clBtnFace)) << "a rounded corner";
    EXPECT_EQ(shot.pixel(kIndicator - 1, second.top() + 3), Rgb(clBtnShadow));
    grid.SetSelectedRow(0);
    grid.viewport()->repaint();
    shot = Grab();
    const QRect first = grid.GetCellRect(0, 0);
    const int markTop = first.top() + (first.height() - 11) / 2;
    EXPECT_EQ(shot.pixel(3, markTop + 5), Rgb(clWindowText));
    EXPECT_EQ(shot.pixel(3, second.top() + 5), Rgb(clBtnFace));

    grid.SetPressedHeaderColumn(1);
    grid.viewport()->repaint();
    EXPECT_EQ(Grab().pixel(kInsideB + 20, 5), Inverted(Rgb(clBtnFace)));
}

TEST_F(HeaderStylesTest, theFooterAndTheInputLineTakeTheirColours)
{
    auto& column = grid.Columns().Items(1);
    column.Footer().SetColor(clRed);
    column.Footer().SetCaption(QStringLiteral("2.5"));
    column.Footer().SetFormatMaskKind(mkFloat);
    column.Footer().SetFormatMask(QStringLiteral("0.00"));
    column.SetColor(RGB(0, 0, 255));
    grid.viewport()->repaint();
    const QImage shot = Grab();
    const QRect footer = grid.GetFooterRect();
    EXPECT_EQ(shot.pixel(kInsideB + 30, footer.top() + 6), qRgb(255, 0, 0));
    // Grid lines in the button face along the footer's bottom and right.
    EXPECT_EQ(shot.pixel(kInsideB + 30, footer.bottom()), Rgb(clBtnFace));
    EXPECT_EQ(shot.pixel(kRightOfB, footer.top() + 6), Rgb(clBtnFace));
    // The inactive input line: the column's colour.
    const QRect input = grid.GetInputRect();
    EXPECT_EQ(shot.pixel(kRightOfB - 2, input.top() + 2), qRgb(0, 0, 255));
}

TEST(OfficeSchemesTest, schemeZeroIsTheCurrentOneAndOthersAreRefused)
{
    EXPECT_EQ(CurrentOfficeScheme(), 2);
    EXPECT_EQ(OfficeSchemeColor(oeSeparator, 1), TColor(0xA49991));
    EXPECT_EQ(OfficeSchemeColor(oeGradientTop, 5), TColor(0xF9F7F5));
    EXPECT_EQ(OfficeSchemeColor(oeBorder), TColor(0xCF9365));
    EXPECT_THROW(OfficeSchemeColor(oeBorder, 6), EAssertionFailed);
    EXPECT_THROW(SetCurrentOfficeScheme(0), EAssertionFailed);
    EXPECT_EQ(CurrentOfficeScheme(), 2);
}
