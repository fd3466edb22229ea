#include "GridViewSupport.h"
#include "grid/GxDisplays.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/ImageList.h"

#include <QStringList>

namespace {

constexpr int kPitch = 82;
constexpr int kBodyTop = 18;
// The middle of row 0's cells.
constexpr int kRow0Middle = kBodyTop + 40;

class GridPaintTest : public GridViewTest
{
protected:
    TGxTextColumn& AddText(const char* name, int width)
    {
        auto& column = grid.Columns().Add<TGxTextColumn>(QString::fromLatin1(name));
        column.SetWidth(width);
        return column;
    }

    static QRgb Inverted(QRgb rgb)
    {
        return qRgb(255 - qRed(rgb), 255 - qGreen(rgb), 255 - qBlue(rgb));
    }
};

} // namespace

TEST_F(GridPaintTest, gridLinesCloseEveryCellAndRowsAre82PixelsApartDownToTheBottom)
{
    AddText("A", 50);
    AddText("B", 60);
    grid.AddRow(2);
    Show(300, 400);
    const QImage shot = Grab();
    const QRgb line = Rgb(clBtnFace);
    const QRgb cell = Rgb(clWindow);
    // Below the two rows the body is filled with empty cells and their lines.
    for (int row = 0; row < 4; ++row) {
        const int top = kBodyTop + row * kPitch;
        EXPECT_EQ(shot.pixel(10, top), cell) << row;
        EXPECT_EQ(shot.pixel(10, top + 80), cell) << row;
        EXPECT_EQ(shot.pixel(10, top + 81), line) << row;
        EXPECT_EQ(shot.pixel(48, top + 40), cell) << row;
        EXPECT_EQ(shot.pixel(49, top + 40), line) << row;
        EXPECT_EQ(shot.pixel(50, top + 40), cell) << row;
        EXPECT_EQ(shot.pixel(109, top + 40), line) << row;
    }
    // Right of the columns: the grid's Color.
    EXPECT_EQ(shot.pixel(200, 200), Rgb(grid.Color()));
}

TEST_F(GridPaintTest, theCaptionOfAnEmptyGridIsDrawnCentredBelowTheHeader)
{
    AddText("A", 200);
    grid.SetCaption(QStringLiteral("No rows"));
    Show(200, 200);
    const QImage shot = Grab();
    int left = 200;
    int right = -1;
    for (int y = kBodyTop + 4; y < kBodyTop + 4 + 16; ++y)
        for (int x = 0; x < 198; ++x)
            if (shot.pixel(x, y) != Rgb(clWindow)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, left) << "no caption drawn";
    EXPECT_NEAR((left + right) / 2, 100, 4);
    EXPECT_EQ(shot.pixel(100, kBodyTop + 30), Rgb(clWindow));
}

TEST_F(GridPaintTest, aThumbnailIsCentredInItsCellAndABadIndexDrawsNothing)
{
    TImageList images(100, 75);
    QImage red(100, 75, QImage::Format_RGB32);
    red.fill(Qt::red);
    images.Add(red);
    auto& column = grid.Columns().Add<TGxImageColumn>(QStringLiteral("Priv"));
    column.SetWidth(138);
    column.SetAlignment(taCenter);
    column.SetImages(&images);
    for (const int index : {0, -1, 1})
        grid.Cell(0, grid.AddRow()).SetAsInteger(index);
    Show(300, 400);
    const QImage shot = Grab();
    // The cell's content box is 137 × 81 (its last pixel column is the line).
    const int x = 137 / 2 - 50;
    const int y = (kBodyTop + kBodyTop + 81) / 2 - 37;
    EXPECT_EQ(shot.pixel(x, y), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(x + 99, y + 74), qRgb(255, 0, 0));
    EXPECT_NE(shot.pixel(x - 1, y), qRgb(255, 0, 0));
    EXPECT_NE(shot.pixel(x, y - 1), qRgb(255, 0, 0));
    EXPECT_NE(shot.pixel(x + 100, y + 74), qRgb(255, 0, 0));
    EXPECT_NE(shot.pixel(x + 99, y + 75), qRgb(255, 0, 0));
    for (const int row : {1, 2})
        EXPECT_EQ(shot.pixel(68, kRow0Middle + row * kPitch), Rgb(clWindow)) << row;
}

TEST_F(GridPaintTest, classicCheckBoxesAreElevenPixelsWithAThreeLineTick)
{
    ClassicStyle classic;
    auto& column = grid.Columns().Add<TGxCheckBoxColumn>(QStringLiteral("Del"));
    column.SetWidth(80);
    column.SetAlignment(taCenter);
    grid.Cell(0, grid.AddRow()).SetAsBoolean(true);
    grid.AddRow();
    Show(200, 300);
    const QImage shot = Grab();
    // The box of row 0: PlaceBox centres 11 × 11 in the 79 × 81 content box.
    const int x = 79 / 2 - 5;
    const int y = (kBodyTop + kBodyTop + 81) / 2 - 5;
    const QRgb frame = Rgb(clBtnShadow);
    const QRgb inside = Rgb(clWindow);
    const QRgb tick = Rgb(clWindowText);
    EXPECT_EQ(shot.pixel(x, y), frame);
    EXPECT_EQ(shot.pixel(x + 10, y + 10), frame);
    EXPECT_EQ(shot.pixel(x + 11, y + 5), inside) << "the box is 11 pixels wide";
    EXPECT_EQ(shot.pixel(x + 1, y + 1), inside);
    for (const int lower : {0, 1, 2}) {
        EXPECT_EQ(shot.pixel(x + 2, y + 4 + lower), tick) << lower;
        EXPECT_EQ(shot.pixel(x + 4, y + 6 + lower), tick) << lower;
        EXPECT_EQ(shot.pixel(x + 8, y + 2 + lower), tick) << lower;
        EXPECT_EQ(shot.pixel(x + 9, y + 1 + lower), inside) << "a polyline ends before its end";
    }
    EXPECT_EQ(shot.pixel(x + 2, y + 3), inside);
    EXPECT_EQ(shot.pixel(x + 4, y + 6 + kPitch), inside) << "unchecked: no tick";
    EXPECT_EQ(shot.pixel(x, y + kPitch), frame);
}

TEST_F(GridPaintTest, theSortedColumnIsDarkenedOnlyWithDarkerStyle)
{
    AddText("A", 50).SetSorted(true);
    AddText("B", 50);
    grid.AddRow();
    Show(200, 200);
    EXPECT_EQ(Grab().pixel(20, kRow0Middle), Rgb(clWindow));
    grid.SetSortedStyle(soDarker);
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(20, kRow0Middle), Rgb(MixColors(clBlack, clWindow, 10)));
    EXPECT_NE(shot.pixel(20, kRow0Middle), Rgb(clWindow));
    EXPECT_EQ(shot.pixel(70, kRow0Middle), Rgb(clWindow));
    grid.SetSortedStyle(soWhite);
    EXPECT_EQ(Grab().pixel(20, kRow0Middle), qRgb(255, 255, 255));
}

TEST_F(GridPaintTest, theSelectedRowIsHighlightedByFocusExceptColumnsThatRefuse)
{
    AddText("A", 50);
    AddText("B", 50).SetOptions({coDontHighlight});
    grid.AddRow(3);
    grid.SetSelectedRow(1);
    Show(200, 400);
    grid.clearFocus();
    const int middle = kRow0Middle + kPitch;
    EXPECT_EQ(Grab().pixel(20, middle), Rgb(clWindow)) << "hidden selection without focus";

    grid.SetAppearanceOptions({});
    EXPECT_EQ(Grab().pixel(20, middle), Rgb(grid.InactiveSelectionColor()));

    grid.SetAppearanceOptions({aoHideSelection});
    Focus();
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(20, middle), Rgb(clHighlight));
    EXPECT_EQ(shot.pixel(70, middle), Rgb(clWindow)) << "coDontHighlight";
    EXPECT_EQ(shot.pixel(20, middle - kPitch), Rgb(clWindow));
    // The dotted focus frame spans the row, drawn by inverting.
    const int top = kBodyTop + kPitch;
    EXPECT_EQ(shot.pixel(0, top), Inverted(Rgb(clHighlight)));
    EXPECT_EQ(shot.pixel(1, top), Rgb(clHighlight));
    EXPECT_EQ(shot.pixel(2, top), Inverted(Rgb(clHighlight)));
}

TEST_F(GridPaintTest, oneCellRaisesItsPaintingEventsInOrder)
{
    AddText("A", 50).SetDrawingOptions(doCustom);
    grid.AddRow();
    grid.SetAppearanceOptions(grid.AppearanceOptions() + TAppearanceOptions{aoHintMarks});
    QStringList log;
    grid.OnMeasuringRowHeight = [&](QObject*, int index, int& height) {
        EXPECT_EQ(height, 81);
        if (index == 0 && !log.contains(QStringLiteral("measure")))
            log << QStringLiteral("measure");
    };
    grid.OnCellColoring = [&](QObject*, int col, int row, TColor& cellColor, TColor&,
                              TCellState state) {
        if (state.contains(csEmpty))
            return;
        EXPECT_EQ(col, 0);
        EXPECT_EQ(row, 0);
        log << QStringLiteral("coloring");
        cellColor = clRed;
    };
    grid.OnDrawCellBackground = [&](QObject*, int, int row, const QRect&, TCellState,
                                    bool& defaultDrawing) {
        if (row == 0)
            log << QStringLiteral("background %1").arg(defaultDrawing);
    };
    grid.OnCellFormating = [&](QObject*, int, int, TColor&, TFontStyles&, TCellState) {
        log << QStringLiteral("formating");
    };
    grid.OnCellHint = [&](QObject*, int, int, QString& value) {
        log << QStringLiteral("hint");
        value = QStringLiteral("a hint");
    };
    grid.OnCustomDrawCell = [&](QObject*, int, int, const QRect& rect, TCellState) {
        log << QStringLiteral("custom %1").arg(rect.width());
    };
    grid.OnPostDraw = [&](QObject* sender) {
        EXPECT_EQ(sender, &grid);
        log << QStringLiteral("post");
    };
    Show(100, 150);
    log.clear();
    const QImage shot = Grab();
    EXPECT_EQ(log, (QStringList{"measure", "coloring", "background 1", "formating", "hint",
                                "custom 49", "post"}));
    EXPECT_EQ(shot.pixel(20, kRow0Middle), qRgb(255, 0, 0)) << "the colour from OnCellColoring";
    // The hint mark: a red triangle in the cell's top-right corner, on the line's left.
    grid.OnCellColoring = nullptr;
    const QImage marked = Grab();
    EXPECT_EQ(marked.pixel(48, kBodyTop), qRgb(255, 0, 0));
    EXPECT_EQ(marked.pixel(48, kBodyTop + 4), qRgb(255, 0, 0));
    EXPECT_EQ(marked.pixel(44, kBodyTop + 4), Rgb(clWindow));
}

TEST_F(GridPaintTest, textsEndInAnEllipsisAndBadSizesDrawWhatFits)
{
    AddText("A", 60);
    AddText("zero", 0);
    grid.AddRow(3);
    grid.Cell(0, 0).SetAsString(QString(100000, u'W'));
    grid.Cell(1, 0).SetAsString(QStringLiteral("never seen"));
    Show(120, 200);
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(58, kRow0Middle), Rgb(clWindow)) << "2 pixels stay free at the right";
    EXPECT_EQ(shot.pixel(59, kRow0Middle), Rgb(clBtnFace));
    // A grid smaller than one row still scrolls to every row.
    grid.resize(120, 40);
    EXPECT_EQ(grid.RowsPerPage(), 0);
    EXPECT_FALSE(Grab().isNull());
    grid.VertScrollBar().Last();
    EXPECT_EQ(grid.TopRow(), 2);
    // Negative heights take no room; painting still ends.
    grid.VertScrollBar().First();
    grid.OnMeasuringRowHeight = [](QObject*, int, int& height) {
        height = -50;
    };
    EXPECT_FALSE(Grab().isNull());
    EXPECT_EQ(grid.GetRowTop(2), kBodyTop + 2);
    // Outside a paint there is no canvas to draw on.
    grid.PaintRows();
    grid.PaintHeaders();
    grid.DrawCell(0, 0);
}

TEST_F(GridPaintTest, aCheckBoxTogglesThroughTheGridsAcceptAndAfterEditEvents)
{
    auto& column = grid.Columns().Add<TGxCheckBoxColumn>(QStringLiteral("Del"));
    column.SetWidth(80);
    column.SetAlignment(taCenter);
    column.SetDefaultValue(QStringLiteral("True"));
    grid.SetOptions(grid.Options() + TGridOptions{goUseDefaultValues});
    grid.AddRow(2);
    Show(200, 300);
    QStringList log;
    bool accept = true;
    grid.OnEditAccept = [&](QObject*, int col, int row, const QString& value, bool& Accept) {
        log << QStringLiteral("accept %1 %2 %3").arg(col).arg(row).arg(value);
        Accept = accept;
    };
    grid.OnAfterEdit = [&](QObject*, int, int row, const QString& value) {
        log << QStringLiteral("after %1 %2").arg(row).arg(value);
    };
    int columnChanges = 0;
    column.OnChange = [&](TGxCheckBoxColumn* sender) {
        EXPECT_EQ(sender, &column);
        ++columnChanges;
    };
    TColumnPlay* play = grid.PreparePlay(0, 1);
    ASSERT_NE(play, nullptr);
    const QRect box = static_cast<TCheckBoxColumnPlay*>(play)->BoxRect();
    play->MouseUp(Qt::LeftButton, {}, box.left() - 1, box.center().y());
    EXPECT_TRUE(log.isEmpty()) << "a release beside the box does nothing";
    play->MouseUp(Qt::LeftButton, {}, box.center().x(), box.center().y());
    EXPECT_EQ(log, (QStringList{"accept 0 1 False", "after 1 False"}));
    EXPECT_FALSE(grid.Cell(0, 1).AsBoolean());
    EXPECT_TRUE(grid.Cell(0, 0).AsBoolean());
    EXPECT_EQ(columnChanges, 1);

    accept = false;
    log.clear();
    grid.PreparePlay(0, 0)->KeyPress(u' ');
    EXPECT_EQ(log, QStringList{"accept 0 0 False"});
    EXPECT_TRUE(grid.Cell(0, 0).AsBoolean()) << "a refused value changes nothing";

    grid.OnBeforeEdit = [](QObject*, int, int, bool& Accept) {
        Accept = false;
    };
    EXPECT_EQ(grid.PreparePlay(0, 0), nullptr);
    EXPECT_EQ(grid.PreparePlay(0, 2), nullptr) << "no such row";
}

TEST_F(GridPaintTest, classicHeadersAreRaisedWithSeparatorsShorterThanTheItem)
{
    ClassicStyle classic;
    AddText("A", 50);
    AddText("B", 60);
    Show(200, 100);
    const QImage shot = Grab();
    const QRgb light = Rgb(clBtnHighlight);
    const QRgb dark = Rgb(clBtnShadow);
    const QRgb face = Rgb(clBtnFace);
    EXPECT_EQ(shot.pixel(20, 0), light);
    EXPECT_EQ(shot.pixel(20, 17), dark);
    EXPECT_EQ(shot.pixel(20, 8), face);
    // The first column's left edge runs down to the bottom line.
    EXPECT_EQ(shot.pixel(0, 1), light);
    EXPECT_EQ(shot.pixel(0, 16), light);
    // Between the columns: two pixels shorter at each end.
    for (const int x : {49, 50}) {
        EXPECT_EQ(shot.pixel(x, 1), face) << x;
        EXPECT_EQ(shot.pixel(x, 16), face) << x;
    }
    EXPECT_EQ(shot.pixel(49, 2), dark);
    EXPECT_EQ(shot.pixel(49, 15), dark);
    EXPECT_EQ(shot.pixel(50, 2), light);
    EXPECT_EQ(shot.pixel(50, 15), light);
    // The last column's right edge spans the whole height; beyond it, the grid's Color.
    EXPECT_EQ(shot.pixel(109, 1), dark);
    EXPECT_EQ(shot.pixel(109, 16), dark);
    EXPECT_EQ(shot.pixel(150, 5), Rgb(grid.Color()));
}
