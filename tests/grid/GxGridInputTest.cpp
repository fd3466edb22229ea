#include "GridTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A grid of four text columns and a few rows, in a window with another control to tab to.
class GridInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_grid = new TDataGrid(&m_window);
        m_next = new QLineEdit(&m_window);
        auto* layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_grid);
        layout->addWidget(m_next);
        AddTextColumns(*m_grid, {"A", "B", "C", "D"});
        for (int col = 0; col < 4; ++col)
            m_grid->Columns().Items(col).Header().SetCaption(QString(QChar('A' + col)));
        AddTextRows(*m_grid,
                    {{"apple", "1"}, {"banana", "2"}, {"blueberry", "3"}, {"cherry", "4"}});
        m_window.resize(500, 300);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_grid->setFocus();
        m_grid->OnColumnMove = [this](QObject*, int col, int from, int to) {
            m_moves << QStringLiteral("%1: %2 -> %3").arg(col).arg(from).arg(to);
        };
    }

    QWidget* View() { return m_grid->viewport(); }
    QPoint HeaderPoint(int col, int dx = 0)
    {
        return QPoint(m_grid->GetCellRect(col, 0).center().x() + dx, m_grid->HeaderSize() / 2);
    }
    // Holds the header of the column and lets it go at the point.
    void DragHeader(int col, QPoint to)
    {
        const QPoint from = HeaderPoint(col);
        QTest::mousePress(View(), Qt::LeftButton, {}, from);
        QTest::mouseMove(View(), from + QPoint(5, 0));
        QTest::mouseMove(View(), to);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, to);
    }
    int PositionOf(int col) { return m_grid->Columns().Items(col).Position(); }

    QWidget m_window;
    TDataGrid* m_grid;
    QLineEdit* m_next;
    QStringList m_moves;
};

TEST_F(GridInputTest, aHeaderDraggedOntoAnotherPlaceMovesItsColumn)
{
    int clicks = 0;
    m_grid->OnHeaderClick = [&](QObject*, int) {
        ++clicks;
    };
    // Past the middle of column C: between C and D.
    DragHeader(0, HeaderPoint(2, 10));
    EXPECT_EQ(PositionOf(0), 2);
    EXPECT_EQ(PositionOf(2), 1);
    // The move itself, then the Position setter's own report.
    EXPECT_EQ(m_moves, (QStringList{"0: 0 -> 2", "0: -1 -> 2"}));
    EXPECT_EQ(clicks, 0) << "a dragged header is no click";
    EXPECT_EQ(m_grid->Cells(0, 1), QStringLiteral("banana")) << "cells stay with their column";
}

TEST_F(GridInputTest, lockedFixedColumnsStayAndHiddenColumnsLeaveByTheHeaderEdge)
{
    m_grid->SetFixedCols(1);
    m_grid->SetOptions(m_grid->Options() + TGridOptions{goLockFixedCols, goCanHideColumn});
    DragHeader(0, HeaderPoint(2, 10));
    EXPECT_EQ(PositionOf(0), 0) << "a fixed column cannot be dragged";
    DragHeader(3, HeaderPoint(0, -10));
    EXPECT_EQ(PositionOf(3), 3) << "nor can another be dropped among them";
    EXPECT_TRUE(m_moves.isEmpty());

    DragHeader(2, QPoint(HeaderPoint(2).x(), View()->height() / 2));
    EXPECT_FALSE(m_grid->Columns().Items(2).Visible());
}

TEST_F(GridInputTest, disabledColumnMovingKeepsTheOrder)
{
    m_grid->SetOptions(m_grid->Options() + TGridOptions{goDisableColumnMoving});
    DragHeader(0, HeaderPoint(3, 10));
    EXPECT_EQ(PositionOf(0), 0);
}

TEST_F(GridInputTest, tabWalksTheCellsAndLeavesAfterTheLastWhenAsked)
{
    m_grid->SetWantTabs(true);
    m_grid->SelectCell(2, 2);
    QTest::keyClick(m_grid, Qt::Key_Tab);
    EXPECT_EQ(m_grid->SelectedColumn(), 3);
    QTest::keyClick(m_grid, Qt::Key_Tab);
    EXPECT_EQ(m_grid->SelectedColumn(), 0);
    EXPECT_EQ(m_grid->SelectedRow(), 3) << "past the last column: the next row";
    QTest::keyClick(m_grid, Qt::Key_Backtab);
    EXPECT_EQ(m_grid->SelectedColumn(), 3);
    EXPECT_EQ(m_grid->SelectedRow(), 2);

    m_grid->SetTabLeaveControl(true);
    m_grid->SelectCell(3, 3);
    QTest::keyClick(m_grid, Qt::Key_Tab);
    EXPECT_EQ(m_grid->SelectedColumn(), 0);
    EXPECT_EQ(m_grid->SelectedRow(), 0) << "wrapped to the first cell";
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_next->hasFocus(); }));
}

TEST_F(GridInputTest, withoutWantTabsTabMovesTheFocusOn)
{
    m_grid->SelectCell(0, 0);
    QTest::keyClick(m_grid, Qt::Key_Tab);
    EXPECT_EQ(m_grid->SelectedColumn(), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_next->hasFocus(); }));
}

TEST_F(GridInputTest, arrowsMoveBetweenCellsAndTheMoveCanBeRedirected)
{
    m_grid->SelectCell(1, 1);
    QTest::keyClick(m_grid, Qt::Key_Right);
    EXPECT_EQ(m_grid->SelectedColumn(), 2);
    m_grid->OnSelectionMove = [](QObject*, int& col, int, TMoveSelectionKey key) {
        if (key == mkArrows)
            col = 0;
    };
    QTest::keyClick(m_grid, Qt::Key_Right);
    EXPECT_EQ(m_grid->SelectedColumn(), 0);

    bool refuse = true;
    m_grid->OnBeforeSelect = [&](QObject*, int, int row, bool& accept) {
        accept = !(refuse && row == 2);
    };
    QTest::keyClick(m_grid, Qt::Key_Down);
    EXPECT_EQ(m_grid->SelectedRow(), 3) << "a refused row is passed over";
}

TEST_F(GridInputTest, disabledKeysDoNothing)
{
    m_grid->SelectCell(0, 0);
    m_grid->SetOptions(m_grid->Options() + TGridOptions{goDisableKeys});
    QTest::keyClick(m_grid, Qt::Key_Down);
    QTest::keyClick(m_grid, Qt::Key_End);
    EXPECT_EQ(m_grid->SelectedRow(), 0);
}

TEST_F(GridInputTest, typingSearchesTheSearchColumnFromTheNextRow)
{
    m_grid->Columns().Items(0).SetOptions(m_grid->Columns().Items(0).Options() +
                                          TColumnOptions{coSearchColumn});
    m_grid->SelectCell(0, 0);
    QTest::keyClicks(m_grid, QStringLiteral("B"));
    EXPECT_EQ(m_grid->SelectedRow(), 1);
    QTest::keyClicks(m_grid, QStringLiteral("l"));
    EXPECT_EQ(m_grid->SelectedRow(), 2) << "\"bl\": blueberry";
    EXPECT_EQ(m_grid->SearchText(), QStringLiteral("Bl"));
    QTest::keyClicks(m_grid, QStringLiteral("x"));
    EXPECT_EQ(m_grid->SelectedRow(), 2) << "no match keeps the row";
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_grid->SearchText().isEmpty(); }, 3000));
    QTest::keyClicks(m_grid, QStringLiteral("a"));
    EXPECT_EQ(m_grid->SelectedRow(), 0) << "round from the last row to the first";
}

TEST_F(GridInputTest, aCutOffTextIsShownWholeInAHint)
{
    m_grid->SetCells(0, 3, QStringLiteral("a text far too long to fit into eighty pixels"));
    QTest::mouseMove(View(), m_grid->GetCellRect(0, 3).center());
    QLabel* hint = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->isVisible())
            hint = label;
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->text(), m_grid->Cells(0, 3));
    QTest::mouseMove(View(), m_grid->GetCellRect(1, 3).center());
    EXPECT_FALSE(hint->isVisible()) << "a text that fits needs no hint";

    QTest::mouseMove(View(), m_grid->GetCellRect(0, 3).center());
    ASSERT_TRUE(hint->isVisible());
    m_grid->ScrollRows(1);
    EXPECT_FALSE(hint->isVisible()) << "the rows moved under the pointer";
}

TEST_F(GridInputTest, losingTheApplicationDropsAPressedHeader)
{
    QTest::mousePress(View(), Qt::LeftButton, {}, HeaderPoint(1));
    EXPECT_EQ(m_grid->PressedHeaderColumn(), 1);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(m_grid->PressedHeaderColumn(), -1);
    int clicks = 0;
    m_grid->OnHeaderClick = [&](QObject*, int) {
        ++clicks;
    };
    QTest::mouseRelease(View(), Qt::LeftButton, {}, HeaderPoint(1));
    EXPECT_EQ(clicks, 0);
}

// The row edge and the middle of a row in the indicator.
class GridRowInputTest : public GridInputTest
{
protected:
    void SetUp() override
    {
        GridInputTest::SetUp();
        m_grid->SetOptions(m_grid->Options() +
                           TGridOptions{goIndicator, goRowResizing, goRowMoving});
    }
    int IndicatorX() { return m_grid->GetIndicatorRect().center().x(); }
    QPoint RowEdge(int row) { return QPoint(IndicatorX(), m_grid->GetRowTop(row + 1) - 2); }
    QPoint RowMiddle(int row)
    {
        return QPoint(IndicatorX(), m_grid->GetRowTop(row) + m_grid->GetRowHeight(row) / 2);
    }
    // Takes the focus away in the middle of a press; the press must end with it.
    void LoseFocus(TGridInteraction during)
    {
        EXPECT_EQ(m_grid->Interaction(), during);
        m_next->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_next->hasFocus(); }));
        EXPECT_EQ(m_grid->Interaction(), giNone);
        EXPECT_EQ(m_grid->PressedHeaderColumn(), -1);
    }
    void Refocus()
    {
        m_grid->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_grid->hasFocus(); }));
    }
};

TEST_F(GridRowInputTest, losingTheFocusEndsEveryKindOfPressAndItsReleaseChangesNothing)
{
    QStringList events;
    m_grid->OnCellClick = [&](QObject*, int col, int row) {
        events << QStringLiteral("click %1 %2").arg(col).arg(row);
    };
    m_grid->OnHeaderClick = [&](QObject*, int col) { events << QStringLiteral("header %1").arg(col); };
    m_grid->OnChangeRowHeight = [&](QObject*, int row, int) {
        events << QStringLiteral("height %1").arg(row);
    };
    m_grid->OnRowMove = [&](QObject*, int from, int to, bool&) {
        events << QStringLiteral("row %1 -> %2").arg(from).arg(to);
    };
    const QStringList texts = ColumnTexts(*m_grid, 0);
    {
        SCOPED_TRACE("cell press");
        const QPoint cell = m_grid->GetCellRect(1, 1).center();
        QTest::mousePress(View(), Qt::LeftButton, {}, cell);
        LoseFocus(giCellPress);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, cell);
    }
    {
        SCOPED_TRACE("header press");
        Refocus();
        QTest::mousePress(View(), Qt::LeftButton, {}, HeaderPoint(1));
        LoseFocus(giHeaderPress);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, HeaderPoint(1));
        EXPECT_FALSE(m_grid->Columns().Items(1).Sorted());
    }
    {
        SCOPED_TRACE("column resize");
        Refocus();
        const TGxCustomColumn& column = m_grid->Columns().Items(1);
        const int width = column.Width();
        const QPoint edge(column.ColumnLeft() + width - 1, m_grid->HeaderSize() / 2);
        QTest::mousePress(View(), Qt::LeftButton, {}, edge);
        QTest::mouseMove(View(), edge + QPoint(30, 0));
        LoseFocus(giColumnResize);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, edge + QPoint(30, 0));
        EXPECT_EQ(column.Width(), width);
    }
    {
        SCOPED_TRACE("column drag");
        Refocus();
        QTest::mousePress(View(), Qt::LeftButton, {}, HeaderPoint(0));
        QTest::mouseMove(View(), HeaderPoint(0, 5));
        QTest::mouseMove(View(), HeaderPoint(2, 10));
        LoseFocus(giColumnDrag);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, HeaderPoint(2, 10));
        EXPECT_EQ(PositionOf(0), 0);
    }
    {
        SCOPED_TRACE("row resize");
        Refocus();
        QTest::mousePress(View(), Qt::LeftButton, {}, RowEdge(1));
        QTest::mouseMove(View(), RowEdge(1) + QPoint(0, 20));
        LoseFocus(giRowResize);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, RowEdge(1) + QPoint(0, 20));
    }
    {
        SCOPED_TRACE("row drag");
        Refocus();
        QTest::mousePress(View(), Qt::LeftButton, {}, RowMiddle(0));
        QTest::mouseMove(View(), RowMiddle(2));
        LoseFocus(giRowDrag);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, RowMiddle(2));
    }
    {
        SCOPED_TRACE("roll");
        Refocus();
        QTest::mousePress(View(), Qt::MiddleButton, {}, m_grid->GetCellRect(1, 1).center());
        EXPECT_TRUE(m_grid->Rolling());
        LoseFocus(giRoll);
        EXPECT_FALSE(m_grid->Rolling()) << "a roll whose release never comes would run on";
        QTest::mouseRelease(View(), Qt::MiddleButton, {}, m_grid->GetCellRect(1, 1).center());
    }
    EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();
    EXPECT_TRUE(m_moves.isEmpty());
    EXPECT_EQ(ColumnTexts(*m_grid, 0), texts) << "no row moved";
    EXPECT_EQ(m_grid->GetRowTop(2) - m_grid->GetRowTop(1), m_grid->GetRowTop(1) - m_grid->GetRowTop(0))
        << "no row resized";
}

TEST_F(GridRowInputTest, anotherButtonPressedDuringAPressLeavesItAlone)
{
    int headerClicks = 0;
    m_grid->OnHeaderClick = [&](QObject*, int) {
        ++headerClicks;
    };
    QStringList downs;
    m_grid->OnMouseDown = [&](QObject*, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        downs << (button == Qt::RightButton ? "right" : "other");
    };
    m_grid->SelectCell(0, 0);
    QTest::mousePress(View(), Qt::LeftButton, {}, HeaderPoint(1));
    const QPoint cell = m_grid->GetCellRect(2, 2).center();
    QTest::mousePress(View(), Qt::RightButton, {}, cell);
    EXPECT_EQ(m_grid->SelectedRow(), 0) << "the second button selects nothing";
    EXPECT_EQ(m_grid->Interaction(), giHeaderPress);
    QTest::mouseRelease(View(), Qt::RightButton, {}, cell);
    EXPECT_EQ(headerClicks, 0) << "the second button's release is no header click";
    QTest::mouseRelease(View(), Qt::LeftButton, {}, HeaderPoint(1));
    EXPECT_EQ(headerClicks, 1);
    EXPECT_TRUE(m_grid->Columns().Items(1).Sorted()) << "the held header's own release sorts";
    EXPECT_EQ(downs, (QStringList{"other", "right"})) << "the toolkit's events still come";

    // A middle press while a column is resized starts no roll; the resize goes on.
    TGxCustomColumn& column = m_grid->Columns().Items(2);
    const int width = column.Width();
    const QPoint edge(column.ColumnLeft() + width, m_grid->HeaderSize() / 2);
    QTest::mousePress(View(), Qt::LeftButton, {}, edge);
    QTest::mousePress(View(), Qt::MiddleButton, {}, edge);
    EXPECT_FALSE(m_grid->Rolling());
    QTest::mouseRelease(View(), Qt::MiddleButton, {}, edge);
    QTest::mouseMove(View(), edge + QPoint(25, 0));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, edge + QPoint(25, 0));
    EXPECT_EQ(column.Width(), width + 25);

    // Any release ends a roll, as the scroll control does.
    const int selected = m_grid->SelectedRow();
    QTest::mousePress(View(), Qt::MiddleButton, {}, cell);
    QTest::mousePress(View(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(m_grid->SelectedRow(), selected);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, cell);
    EXPECT_FALSE(m_grid->Rolling());
    EXPECT_EQ(m_grid->Interaction(), giNone);
    QTest::mouseRelease(View(), Qt::MiddleButton, {}, cell);
}

TEST_F(GridRowInputTest, aPressWhoseReleaseWentElsewhereDoesNotHoldUpTheNext)
{
    QStringList clicks;
    m_grid->OnCellClick = [&](QObject*, int col, int row) {
        clicks << QStringLiteral("%1 %2").arg(col).arg(row);
    };
    // The header's release never came (a window took the mouse); the next press starts over.
    QTest::mousePress(View(), Qt::LeftButton, {}, HeaderPoint(1));
    const QPoint cell = m_grid->GetCellRect(1, 3).center();
    QTest::mousePress(View(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(m_grid->SelectedRow(), 3);
    EXPECT_EQ(m_grid->PressedHeaderColumn(), -1);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(clicks, QStringList{"1 3"});

    // Likewise a right press once the left button is up, though its release was lost.
    QTest::mousePress(View(), Qt::LeftButton, {}, RowMiddle(0));
    ASSERT_EQ(m_grid->Interaction(), giRowDrag);
    const QPoint other = m_grid->GetCellRect(2, 1).center();
    QMouseEvent right(QEvent::MouseButtonPress, other, View()->mapToGlobal(other),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(View(), &right);
    EXPECT_EQ(m_grid->SelectedRow(), 1);
    EXPECT_EQ(m_grid->Interaction(), giCellPress);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, other);
    QTest::mouseRelease(View(), Qt::RightButton, {}, other);
    EXPECT_EQ(ColumnTexts(*m_grid, 0).first(), QStringLiteral("apple")) << "no row moved";
}

TEST_F(GridInputTest, aColumnDeletedWhileItsEdgeIsHeldEndsTheResize)
{
    const TGxCustomColumn& column = m_grid->Columns().Items(3);
    const QPoint edge(column.ColumnLeft() + column.Width() - 1, m_grid->HeaderSize() / 2);
    QTest::mousePress(View(), Qt::LeftButton, {}, edge);
    ASSERT_EQ(m_grid->Interaction(), giColumnResize);
    m_grid->Columns().Delete(3);
    EXPECT_EQ(m_grid->Interaction(), giNone);
    QTest::mouseMove(View(), edge + QPoint(20, 0));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, edge + QPoint(20, 0));
    EXPECT_EQ(m_grid->Columns().Count(), 3);
}

TEST_F(GridInputTest, aRollKeepsItsCursorWhileTheRowsMoveUnderThePointer)
{
    for (int i = 0; i < 40; ++i)
        AddTextRows(*m_grid, {{QStringLiteral("row %1").arg(i)}});
    const QPoint anchor = m_grid->GetCellRect(0, 2).center();
    QTest::mousePress(View(), Qt::MiddleButton, {}, anchor);
    ASSERT_TRUE(m_grid->Rolling());
    QTest::mouseMove(View(), anchor + QPoint(0, 60));
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_grid->TopRow() > 0; }));
    // The pointer now stands over another row than when it last moved.
    QTest::mouseMove(View(), anchor + QPoint(0, 61));
    EXPECT_EQ(View()->cursor().shape(), Qt::BitmapCursor) << "the roll-down cursor stays";
    QTest::mouseRelease(View(), Qt::MiddleButton, {}, anchor + QPoint(0, 61));
    EXPECT_FALSE(m_grid->Rolling());
}

} // namespace
