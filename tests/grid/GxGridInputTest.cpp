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

} // namespace
