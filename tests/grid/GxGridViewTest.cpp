#include "GridViewSupport.h"
#include "grid/GxDisplays.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/ImageList.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStringList>
#include <climits>

namespace {

constexpr int kPitch = 82;
constexpr int kBodyTop = 18;

// Collects the regions the viewport is asked to repaint.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++count;
        }
        return false;
    }
};

class GridLayoutTest : public GridViewTest
{
protected:
    void AddColumns()
    {
        grid.Columns().Add<TGxTextColumn>(QStringLiteral("A")).SetWidth(50);
        grid.Columns().Add<TGxTextColumn>(QStringLiteral("B")).SetWidth(60);
    }
};

} // namespace

TEST_F(GridLayoutTest, lineSpacingFollowsTheGridLinesStyle)
{
    const auto expect = [&](int left, int top, int right, int bottom) {
        const TLineSpacing& s = grid.LineSpacing();
        EXPECT_EQ(s.Left, left);
        EXPECT_EQ(s.Top, top);
        EXPECT_EQ(s.Right, right);
        EXPECT_EQ(s.Bottom, bottom);
        EXPECT_EQ(s.Gap, top + bottom);
    };
    expect(0, 0, 1, 1);
    grid.SetAppearanceOptions(grid.AppearanceOptions() + TAppearanceOptions{ao3DGridLines});
    expect(1, 1, 1, 1);
    grid.SetGridLinesStyle(lsHorizontalOnly);
    expect(0, 1, 0, 1);
    grid.SetGridLinesStyle(lsVerticalOnly);
    expect(1, 0, 1, 0);
    grid.SetOptions({goHeader});
    expect(0, 0, 0, 0);
}

TEST_F(GridLayoutTest, stripsMakeRoomForHeaderIndicatorInputAndFooter)
{
    AddColumns();
    Show(300, 400);
    const int height = grid.viewport()->height();
    EXPECT_EQ(grid.GetBodyRect(), QRect(0, kBodyTop, 110, height - kBodyTop));

    grid.SetOptions({goGrid, goHeader, goIndicator, goInput, goFooter});
    EXPECT_EQ(grid.GetHeaderRect(), QRect(12, 0, 110, 18));
    EXPECT_EQ(grid.GetInputRect(), QRect(12, 18, 110, 16 + 6 + 1));
    EXPECT_EQ(grid.GetFooterRect(), QRect(12, height - 18 - 4 - 1, 110, 18 + 4 + 1));
    EXPECT_EQ(grid.GetIndicatorRect(), QRect(0, 0, 12, height));
    EXPECT_EQ(grid.GetBodyRect(), QRect(12, 41, 110, height - 23 - 41));
    EXPECT_EQ(grid.GetCellRect(0, 0), QRect(12, 41, 50, 81));

    grid.SetOptions({});
    EXPECT_EQ(grid.GetBodyRect(), QRect(0, 0, 110, height));
    // The body never reaches past the client.
    grid.Columns().Items(1).SetWidth(1000);
    EXPECT_EQ(grid.GetBodyRect().width(), grid.viewport()->width());
}

TEST_F(GridLayoutTest, rowsAreOneLineApartAndHiddenRowsTakeNoRoom)
{
    AddColumns();
    grid.AddRow(6);
    Show(300, 400);
    EXPECT_EQ(grid.GetRowTop(0), kBodyTop);
    EXPECT_EQ(grid.GetRowTop(3), kBodyTop + 3 * kPitch);
    EXPECT_EQ(grid.GetCellRect(1, 2), QRect(50, kBodyTop + 2 * kPitch, 60, 81));
    // Past the rows, positions continue as if rows of RowSize were there.
    EXPECT_EQ(grid.GetRowTop(9), kBodyTop + 9 * kPitch);
    EXPECT_EQ(grid.RowsPerPage(), (grid.viewport()->height() - kBodyTop) / kPitch);

    grid.SetRowVisible(1, false);
    EXPECT_EQ(grid.GetRowTop(3), kBodyTop + 2 * kPitch);
    grid.SetRowHeight(0, 30);
    EXPECT_EQ(grid.GetRowTop(2), kBodyTop + 31);
}

TEST_F(GridLayoutTest, hitTestsGiveTheBoundaryPixelToTheLeftColumnAndFindRowsInTheBody)
{
    AddColumns();
    grid.Columns().Add<TGxTextColumn>(QStringLiteral("hidden")).SetVisible(false);
    grid.Columns().Add<TGxTextColumn>(QStringLiteral("C")).SetWidth(20);
    grid.AddRow(2);
    Show(300, 400);
    EXPECT_EQ(grid.GetColumnAtX(0), 0);
    EXPECT_EQ(grid.GetColumnAtX(50), 0);
    EXPECT_EQ(grid.GetColumnAtX(51), 1);
    EXPECT_EQ(grid.GetColumnAtX(111), 3) << "the hidden column takes no width";
    EXPECT_EQ(grid.GetColumnAtX(131), -1);

    EXPECT_EQ(grid.GetRowAtY(kBodyTop - 1), -1) << "the header";
    EXPECT_EQ(grid.GetRowAtY(kBodyTop), 0);
    EXPECT_EQ(grid.GetRowAtY(kBodyTop + 81), 0) << "the grid line belongs to its row";
    EXPECT_EQ(grid.GetRowAtY(kBodyTop + kPitch), 1);
    EXPECT_EQ(grid.GetRowAtY(kBodyTop + 2 * kPitch), -1) << "past the last row";
}

TEST_F(GridLayoutTest, theVerticalBarAppearsOnlyWhenTheRowsOutgrowThePage)
{
    AddColumns();
    Show(300, kBodyTop + 4 * kPitch + 10);
    grid.AddRow(4);
    EXPECT_EQ(grid.RowsPerPage(), 4);
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
    grid.AddRow();
    EXPECT_TRUE(grid.verticalScrollBar()->isVisible());
    EXPECT_EQ(grid.VertScrollBar().Max(), 5);
    EXPECT_EQ(grid.VertScrollBar().PageSize(), 5);
    grid.ClearRows();
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());

    // One row never scrolls, even in a body too small for it.
    grid.resize(300, 40);
    grid.AddRow();
    EXPECT_EQ(grid.RowsPerPage(), 0);
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
    grid.AddRow(2);
    EXPECT_TRUE(grid.verticalScrollBar()->isVisible());

    // Without auto-hide a bar without range stays, disabled.
    grid.ClearRows();
    grid.SetHideScrollBar(false);
    EXPECT_TRUE(grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid.verticalScrollBar()->isEnabled());
}

TEST_F(GridLayoutTest, aHorizontalBarAppearsForColumnsWiderThanTheClient)
{
    AddColumns();
    Show(300, 200);
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
    grid.Columns().Items(1).SetWidth(500);
    EXPECT_TRUE(grid.horizontalScrollBar()->isVisible());
    TGxScrollBar& bar = grid.HorzScrollBar();
    EXPECT_EQ(bar.Max(), 550);
    EXPECT_EQ(bar.PageSize(), grid.viewport()->width() + 1);
    bar.Last();
    EXPECT_EQ(grid.HorzOffset(), 550 - grid.viewport()->width());
    EXPECT_EQ(grid.GetCellRect(1, 0).left(), 50 - grid.HorzOffset());
}

TEST_F(GridLayoutTest, scrollRequestsStopAtTheEndsAndRaiseTheEvent)
{
    AddColumns();
    grid.AddRow(10);
    Show(300, kBodyTop + 4 * kPitch + 10);
    QList<int> positions;
    grid.OnVerticalScroll = [&](QObject* sender, int position) {
        EXPECT_EQ(sender, &grid);
        positions << position;
    };
    TGxScrollBar& bar = grid.VertScrollBar();
    ASSERT_EQ(bar.PageSize(), 5);
    bar.LineUp();
    EXPECT_TRUE(positions.isEmpty()) << "line up at the top sends nothing";
    bar.PageDown();
    bar.PageDown();
    bar.PageDown();
    EXPECT_EQ(positions, (QList<int>{5, 6, 6}));
    EXPECT_EQ(grid.TopRow(), 6);
    EXPECT_TRUE(bar.AtEnd());

    grid.ScrollMessage(Qt::Vertical, srTop);
    EXPECT_EQ(grid.TopRow(), 0);
    grid.ScrollMessage(Qt::Vertical, srBottom);
    EXPECT_EQ(grid.TopRow(), 6);

    // Enormous and negative requests are clamped.
    bar.MoveBy(INT_MAX);
    EXPECT_EQ(bar.Position(), 10);
    bar.SetPosition(-100);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(grid.TopRow(), 0);
    bar.SetPosition(INT_MAX);
    EXPECT_EQ(grid.TopRow(), 9) << "TopRow stays on a row";

    // With an update open the position moves but the rows do not.
    bar.SetPosition(0);
    bar.BeginUpdate();
    bar.SetPosition(3);
    bar.EndUpdate();
    EXPECT_EQ(bar.Position(), 3);
    EXPECT_EQ(grid.TopRow(), 0);
}

TEST_F(GridLayoutTest, scrollingOneRowMovesThePixelsAndRepaintsOnlyTheUncoveredBand)
{
    AddColumns();
    grid.AddRow(20);
    Show(300, 400);
    const QImage before = Grab();
    PaintRecorder recorder(grid.viewport());
    grid.VertScrollBar().LineDown();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.count > 0; }));
    EXPECT_EQ(grid.TopRow(), 1);
    const QRect body = grid.GetBodyRect();
    const int bottom = body.top() + body.height();
    EXPECT_EQ(recorder.painted.boundingRect(),
              QRect(0, bottom - kPitch, grid.viewport()->width(), kPitch));
    // What was row 1 is now where row 0 was.
    const QImage after = Grab();
    EXPECT_EQ(after.copy(0, kBodyTop, 110, 200), before.copy(0, kBodyTop + kPitch, 110, 200));

    recorder.painted = QRegion();
    recorder.count = 0;
    grid.VertScrollBar().LineUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.count > 0; }));
    EXPECT_EQ(recorder.painted.boundingRect(),
              QRect(0, kBodyTop, grid.viewport()->width(), kPitch));
}

TEST_F(GridLayoutTest, scrollRowIntoViewScrollsTheFewestRows)
{
    AddColumns();
    grid.AddRow(20);
    Show(300, kBodyTop + 4 * kPitch + 10);
    grid.ScrollRowIntoView(3);
    EXPECT_EQ(grid.TopRow(), 0);
    grid.ScrollRowIntoView(6);
    EXPECT_EQ(grid.TopRow(), 3) << "row 6 is now the last wholly visible row";
    grid.ScrollRowIntoView(1);
    EXPECT_EQ(grid.TopRow(), 1);
    grid.ScrollRowIntoView(-1);
    grid.ScrollRowIntoView(20);
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST_F(GridLayoutTest, theWheelScrollsRowsAndARowSizeChangeDuringAScrollIsSafe)
{
    AddColumns();
    grid.AddRow(20);
    Show(300, 400);
    QWheelEvent down(QPointF(10, 50), grid.viewport()->mapToGlobal(QPointF(10, 50)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &down);
    EXPECT_EQ(grid.TopRow(), 1);
    grid.OnVerticalScroll = [&](QObject*, int) {
        grid.SetRowSize(40);
    };
    QApplication::sendEvent(grid.viewport(), &down);
    EXPECT_EQ(grid.TopRow(), 2);
    const int row = grid.AddRow();
    EXPECT_EQ(grid.GetRowTop(row + 1) - grid.GetRowTop(row), 41);
    grid.SetMouseWheelEnabled(false);
    QApplication::sendEvent(grid.viewport(), &down);
    EXPECT_EQ(grid.TopRow(), 2) << "the toolkit's own wheel handling moves no rows";
}

TEST(RollScrolling, fartherFromTheAnchorTicksFasterAndDirectionNeedsSixPixels)
{
    EXPECT_EQ(TGxScrollControl::RollInterval(0), 100);
    EXPECT_EQ(TGxScrollControl::RollInterval(-40), 60);
    EXPECT_EQ(TGxScrollControl::RollInterval(99), 1);
    EXPECT_EQ(TGxScrollControl::RollInterval(5000), 1);
    EXPECT_EQ(TGxScrollControl::RollDirectionOf(-6), rdUp);
    EXPECT_EQ(TGxScrollControl::RollDirectionOf(-5), rdNone);
    EXPECT_EQ(TGxScrollControl::RollDirectionOf(5), rdNone);
    EXPECT_EQ(TGxScrollControl::RollDirectionOf(6), rdDown);
}

TEST_F(GridLayoutTest, theMiddleButtonRollsRowsUntilAnyButtonIsReleased)
{
    AddColumns();
    grid.AddRow(30);
    Show(300, 400);
    QWidget* viewport = grid.viewport();
    QTest::mousePress(viewport, Qt::MiddleButton, {}, QPoint(100, 200));
    EXPECT_TRUE(grid.Rolling());
    EXPECT_EQ(grid.RollDirection(), rdNone);
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 260), viewport->mapToGlobal(QPointF(100, 260)),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    EXPECT_EQ(grid.RollDirection(), rdDown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid.TopRow() > 0; }));
    QTest::mouseRelease(viewport, Qt::MiddleButton, {}, QPoint(100, 260));
    EXPECT_FALSE(grid.Rolling());
    EXPECT_EQ(grid.RollDirection(), rdNone);
}
