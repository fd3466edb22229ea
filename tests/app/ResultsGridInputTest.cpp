#include "app/FormGrids.h"
#include "app/ImageViewForm.h"
#include "app/MainForm.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/DesktopShell.h"
#include "platform/ImageList.h"
#include "platform/PageControl.h"
#include "support/TestSupport.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kDest = 1;
constexpr int kSize = 2;
constexpr int kDate = 4;
constexpr int kPriv = 5;
constexpr int kDel = 6;

// The results grid as the main window sets it up, in a window of its own, with every event it
// raises written to a log.
class ResultsGridInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetupResultsGrid(m_grid, m_images);
        m_grid.resize(800, 18 + 4 * 82 + 30);
        for (int row = 0; row < 10; ++row) {
            const int added = m_grid.AddRow();
            m_grid.Cell(kDest, added)
                .SetAsString(QStringLiteral("/pics/%1.jpg").arg(QChar('j' - row)));
            m_grid.Cell(kSize, added).SetAsString(QString::number(100 + row));
        }
        m_grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_grid));
        Record();
    }

    void Record()
    {
        const auto cell = [this](const char* name) {
            return [this, name](QObject*, int col, int row) {
                Log(name, col, row);
            };
        };
        m_grid.OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            m_log << QStringLiteral("MouseDown");
        };
        m_grid.OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            m_log << QStringLiteral("MouseUp");
        };
        m_grid.OnBeforeSelect = [this](QObject*, int col, int row, bool&) {
            Log("BeforeSelect", col, row);
        };
        m_grid.OnSelectCell = cell("SelectCell");
        m_grid.OnDeselectCell = cell("DeselectCell");
        m_grid.OnCellClick = cell("CellClick");
        m_grid.OnCellDblClick = cell("CellDblClick");
        m_grid.OnBeforeEdit = [this](QObject*, int col, int row, bool&) {
            Log("BeforeEdit", col, row);
        };
        m_grid.OnEditAccept = [this](QObject*, int col, int row, const QString& value,
                                     bool& accept) {
            Log("EditAccept", col, row);
            accept = m_acceptEdits;
            m_log.last() += ' ' + value;
        };
        m_grid.OnAfterEdit = [this](QObject*, int col, int row, const QString& value) {
            Log("AfterEdit", col, row);
            m_log.last() += ' ' + value;
        };
        m_grid.OnHeaderClick = [this](QObject*, int col) {
            Log("HeaderClick", col, -1);
        };
    }

    void Log(const char* name, int col, int row)
    {
        m_log << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(col).arg(row);
    }

    QStringList TakeLog() { return std::exchange(m_log, {}); }

    QWidget* View() { return m_grid.viewport(); }
    QPoint Center(int col, int row) { return m_grid.GetCellRect(col, row).center(); }
    // A point of the Del cell well away from its centred box.
    QPoint BesideTheBox(int row) { return m_grid.GetCellRect(kDel, row).topLeft() + QPoint(4, 4); }
    void Click(QPoint point, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(View(), button, {}, point);
    }
    void Key(Qt::Key key) { QTest::keyClick(&m_grid, key); }
    bool Mark(int row) { return m_grid.Cell(kDel, row).AsBoolean(); }
    QStringList DestTexts()
    {
        QStringList texts;
        for (int row = 0; row < m_grid.RowCount(); ++row)
            texts << m_grid.Cells(kDest, row);
        return texts;
    }

    TImageList m_images{100, 75};
    TDataGrid m_grid;
    QStringList m_log;
    bool m_acceptEdits = true;
};

TEST_F(ResultsGridInputTest, aClickOnARowSelectsItAndRaisesTheEventsInOrder)
{
    Click(Center(kPriv, 2));
    EXPECT_EQ(TakeLog(), (QStringList{"MouseDown", "BeforeSelect 5 2", "SelectCell 5 2", "MouseUp",
                                      "CellClick 5 2"}));
    EXPECT_EQ(m_grid.SelectedRow(), 2);
    EXPECT_TRUE(m_grid.RowSelected(2));

    Click(Center(kDest, 3));
    EXPECT_EQ(TakeLog(), (QStringList{"MouseDown", "BeforeSelect 1 3", "DeselectCell 5 2",
                                      "SelectCell 1 3", "MouseUp", "CellClick 1 3"}));
    EXPECT_FALSE(m_grid.RowSelected(2)) << "one row selected at a time";
    EXPECT_TRUE(m_grid.RowSelected(3));
}

TEST_F(ResultsGridInputTest, pressAndReleaseInDifferentCellsOrBelowTheRowsRaiseNoClick)
{
    QTest::mousePress(View(), Qt::LeftButton, {}, Center(kDest, 1));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, Center(kDest, 2));
    EXPECT_EQ(m_grid.SelectedRow(), 1);
    EXPECT_FALSE(TakeLog().contains("CellClick 1 1"));

    m_grid.ScrollRowIntoView(9);
    const QRect last = m_grid.GetCellRect(kDest, 9);
    ASSERT_LT(last.bottom() + 10, View()->height()) << "room below the last row";
    Click(QPoint(last.center().x(), last.bottom() + 8));
    EXPECT_EQ(TakeLog(), (QStringList{"MouseDown", "MouseUp"}));
    EXPECT_EQ(m_grid.SelectedRow(), 1);
}

TEST_F(ResultsGridInputTest, theCheckBoxTogglesOnlyInsideItsBox)
{
    Click(Center(kDel, 1));
    EXPECT_FALSE(Mark(1));
    EXPECT_EQ(TakeLog(),
              (QStringList{"MouseDown", "BeforeEdit 6 1", "BeforeSelect 6 1", "SelectCell 6 1",
                           "MouseUp", "CellClick 6 1", "BeforeEdit 6 1", "EditAccept 6 1 False",
                           "AfterEdit 6 1 False"}));
    Click(Center(kDel, 1));
    EXPECT_TRUE(Mark(1));

    Click(BesideTheBox(4));
    EXPECT_TRUE(Mark(4));
    EXPECT_EQ(m_grid.SelectedRow(), 4) << "a click beside the box only selects";

    m_acceptEdits = false;
    Click(Center(kDel, 4));
    EXPECT_TRUE(Mark(4)) << "a refused edit keeps the mark";
}

TEST_F(ResultsGridInputTest, spaceTogglesTheCurrentRowsBoxOnlyInTheDelColumn)
{
    Click(BesideTheBox(2));
    QTest::keyClick(&m_grid, Qt::Key_Space);
    EXPECT_FALSE(Mark(2));
    QTest::keyClick(&m_grid, Qt::Key_Space);
    EXPECT_TRUE(Mark(2));

    Click(Center(kDest, 3));
    QTest::keyClick(&m_grid, Qt::Key_Space);
    EXPECT_TRUE(Mark(3));
}

// A double click as the window system delivers it: the second press comes as a press and a
// double-click event.
void SendDoubleClick(QWidget* widget, QPoint point)
{
    const auto send = [&](QEvent::Type type, ulong time) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, point, widget->mapToGlobal(point), Qt::LeftButton, held, {});
        event.setTimestamp(time);
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, 100000);
    send(QEvent::MouseButtonRelease, 100050);
    send(QEvent::MouseButtonPress, 100150);
    send(QEvent::MouseButtonDblClick, 100150);
    send(QEvent::MouseButtonRelease, 100200);
}

TEST_F(ResultsGridInputTest, aDoubleClickRaisesClickDoubleClickClick)
{
    SendDoubleClick(View(), Center(kDest, 2));
    QStringList cellEvents;
    for (const QString& entry : TakeLog())
        if (entry.startsWith(QStringLiteral("Cell")))
            cellEvents << entry;
    EXPECT_EQ(cellEvents, (QStringList{"CellClick 1 2", "CellDblClick 1 2", "CellClick 1 2"}));
    EXPECT_EQ(m_grid.SelectedRow(), 2);

    // The second press of a double click neither selects nor toggles; its release does toggle.
    TakeLog();
    SendDoubleClick(View(), Center(kDel, 3));
    const QStringList log = TakeLog();
    EXPECT_EQ(log.count("SelectCell 6 3"), 1);
    EXPECT_EQ(log.count("AfterEdit 6 3 False") + log.count("AfterEdit 6 3 True"), 2);
    EXPECT_TRUE(Mark(3)) << "toggled by each release";
}

TEST_F(ResultsGridInputTest, headerClicksSortAndASecondClickReverses)
{
    const QPoint header(m_grid.GetCellRect(kDest, 0).center().x(), 9);
    Click(header);
    QStringList sorted = DestTexts();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(DestTexts(), sorted);
    EXPECT_TRUE(TakeLog().contains("HeaderClick 1 -1"));
    Click(header);
    std::reverse(sorted.begin(), sorted.end());
    EXPECT_EQ(DestTexts(), sorted);

    // The mark column sorts too, unticked first.
    m_grid.Cell(kDel, 7).SetAsBoolean(false);
    Click(QPoint(m_grid.GetCellRect(kDel, 0).center().x(), 9));
    EXPECT_FALSE(Mark(0));
    EXPECT_TRUE(Mark(1));
}

TEST_F(ResultsGridInputTest, resizingAColumnNeverGoesBelowItsMinWidth)
{
    TGxCustomColumn& size = m_grid.Columns().Items(kSize);
    const int right = size.ColumnLeft() + size.Width();
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(right - 1, 9));
    QTest::mouseMove(View(), QPoint(right - 300, 9));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(right - 300, 9));
    EXPECT_EQ(size.Width(), size.MinWidth());

    const int narrowRight = size.ColumnLeft() + size.Width();
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(narrowRight, 9));
    QTest::mouseMove(View(), QPoint(narrowRight + 40, 9));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(narrowRight + 40, 9));
    EXPECT_EQ(size.Width(), size.MinWidth() + 40);
    EXPECT_FALSE(TakeLog().contains("HeaderClick 2 -1")) << "a resize is no header click";
}

TEST_F(ResultsGridInputTest, upAtTheFirstAndDownAtTheLastRowKeepTheSelection)
{
    m_grid.setFocus();
    m_grid.SetSelectedRow(0);
    TakeLog();
    Key(Qt::Key_Up);
    EXPECT_EQ(m_grid.SelectedRow(), 0);
    EXPECT_TRUE(TakeLog().isEmpty());
    Key(Qt::Key_Down);
    EXPECT_EQ(m_grid.SelectedRow(), 1);
    Key(Qt::Key_End);
    EXPECT_EQ(m_grid.SelectedRow(), 9);
    TakeLog();
    Key(Qt::Key_Down);
    EXPECT_EQ(m_grid.SelectedRow(), 9);
    EXPECT_TRUE(TakeLog().isEmpty());
    Key(Qt::Key_Home);
    EXPECT_EQ(m_grid.SelectedRow(), 0);
    EXPECT_EQ(m_grid.TopRow(), 0);
}

TEST_F(ResultsGridInputTest, pageKeysMoveByTheWhollyVisibleRows)
{
    ASSERT_EQ(m_grid.RowsPerPage(), 4) << "four rows of 82 pixels fit";
    m_grid.SetSelectedRow(0);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_grid.SelectedRow(), 3) << "first to the last wholly visible row";
    EXPECT_EQ(m_grid.TopRow(), 0);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_grid.SelectedRow(), 7);
    EXPECT_EQ(m_grid.TopRow(), 4);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_grid.SelectedRow(), 9) << "less than a page left: the last row";
    Key(Qt::Key_PageUp);
    EXPECT_EQ(m_grid.SelectedRow(), m_grid.TopRow()) << "first to the top row";
    const int top = m_grid.TopRow();
    Key(Qt::Key_PageUp);
    EXPECT_EQ(m_grid.SelectedRow(), top - 4);
    EXPECT_EQ(m_grid.TopRow(), top - 4);
}

TEST_F(ResultsGridInputTest, aRightClickSelectsTheRowBeforeTheMenuAndIsNoCellClick)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Properties"));
    m_grid.SetPopupMenu(&menu);
    QPoint menuPoint;
    m_grid.OnContextPopup = [&](QObject*, QPoint point, bool&) {
        menuPoint = point;
        m_log << QStringLiteral("ContextPopup %1").arg(m_grid.SelectedRow());
    };
    const QPoint point = Center(kDate, 3);
    QTest::mousePress(View(), Qt::RightButton, {}, point);
    QContextMenuEvent request(QContextMenuEvent::Mouse, point, View()->mapToGlobal(point));
    QApplication::sendEvent(View(), &request);
    QTest::mouseRelease(View(), Qt::RightButton, {}, point);
    const QStringList log = TakeLog();
    EXPECT_TRUE(log.contains("ContextPopup 3"));
    EXPECT_FALSE(log.contains("CellClick 4 3"));
    EXPECT_EQ(menuPoint, point);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

} // namespace
