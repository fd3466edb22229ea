#include "grid/GxCells.h"

#include "GridTestSupport.h"
#include "grid/GxCellText.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxGapList.h"
#include "platform/Exception.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <random>

namespace {

// A store over a column collection of its own, without a grid; it counts change notices.
class CellsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        cells.CellChangedCallback = [this](int, int) {
            ++changes;
        };
    }

    TGxCustomColumn& AddColumn(TCellKind kind)
    {
        auto column = std::make_unique<TGxCustomColumn>();
        column->SetCellKind(kind);
        TGxCustomColumn& added = columns.Add(std::move(column));
        cells.AddColumn(added);
        return added;
    }

    // The one cell of a fresh single-row store of the kind, with the change count reset.
    TCell& CellOfKind(TCellKind kind)
    {
        AddColumn(kind);
        cells.AddRows(1);
        changes = 0;
        return cells.CellAt(0, 0);
    }

    TGxColumns columns;
    TCells cells{columns};
    int changes = 0;
};

} // namespace

TEST_F(CellsTest, stringCellKeepsTextExactlyAndConvertsItOnDemand)
{
    TCell& cell = CellOfKind(ckString);
    cell.SetAsString(QStringLiteral("  Mixed Case  "));
    EXPECT_EQ(cell.AsString(), QStringLiteral("  Mixed Case  "));

    for (const char* text : {"1", "-3", "tRuE", "TRUE"}) {
        cell.SetAsString(QString::fromLatin1(text));
        EXPECT_TRUE(cell.AsBoolean()) << text;
    }
    for (const char* text : {"0", "false", "FALSE"}) {
        cell.SetAsString(QString::fromLatin1(text));
        EXPECT_FALSE(cell.AsBoolean()) << text;
    }
    cell.SetAsString(QStringLiteral("12"));
    EXPECT_EQ(cell.AsInteger(), 12);
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 12.0);
    cell.SetAsString(QString());
    EXPECT_EQ(cell.AsDateTime(), 0);

    changes = 0;
    cell.SetAsBoolean(true);
    EXPECT_EQ(cell.AsString(), QStringLiteral("True"));
    cell.SetAsInteger(-7);
    EXPECT_EQ(cell.AsString(), QStringLiteral("-7"));
    cell.SetAsFloat(2.5);
    EXPECT_EQ(cell.AsString(), QStringLiteral("2.5"));
    const TDateTime moment = EncodeDateTime(2024, 3, 5, 13, 4, 5);
    cell.SetAsDateTime(moment);
    EXPECT_EQ(cell.AsString(), DateTimeToStr(moment));
    EXPECT_NEAR(cell.AsDateTime(), moment, 1e-6);
    EXPECT_EQ(changes, 4);

    cell.SetAsString(QStringLiteral("yes"));
    ExpectError([&] { (void)cell.AsBoolean(); },
                QStringLiteral("'yes' is not a valid boolean value"));
    ExpectError([&] { (void)cell.AsInteger(); },
                QStringLiteral("'yes' is not a valid integer value"));
    ExpectError([&] { (void)cell.AsFloat(); },
                QStringLiteral("'yes' is not a valid floating point value"));
    ExpectError([&] { (void)cell.AsDateTime(); },
                QStringLiteral("'yes' is not a valid date and time"));
}

TEST_F(CellsTest, booleanCellReadsOnlyOneAndTrueAsTrueWithoutErrors)
{
    TCell& cell = CellOfKind(ckBoolean);
    EXPECT_EQ(cell.AsString(), QStringLiteral("False"));
    for (const char* text : {"true", "TRUE", "True", "1"}) {
        cell.SetAsString(QString::fromLatin1(text));
        EXPECT_TRUE(cell.AsBoolean()) << text;
        EXPECT_EQ(cell.AsString(), QStringLiteral("True"));
    }
    for (const char* text : {"yes", "0", "", "2"}) {
        cell.SetAsBoolean(true);
        cell.SetAsString(QString::fromLatin1(text));
        EXPECT_FALSE(cell.AsBoolean()) << text;
    }
    cell.SetAsInteger(5);
    EXPECT_EQ(cell.AsInteger(), 1);
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 1.0);
    cell.SetAsFloat(0.0);
    EXPECT_EQ(cell.AsInteger(), 0);
    cell.SetAsBoolean(true);
    cell.SetAsDateTime(45000.5);
    EXPECT_FALSE(cell.AsBoolean());
    EXPECT_EQ(cell.AsDateTime(), 0);
}

TEST_F(CellsTest, integerCellRoundsHalvesToEvenAndKeepsItsValueOnBadText)
{
    TCell& cell = CellOfKind(ckInteger);
    cell.SetAsString(QStringLiteral("41"));
    EXPECT_EQ(cell.AsString(), QStringLiteral("41"));
    cell.SetAsString(QString());
    EXPECT_EQ(cell.AsInteger(), 0);

    cell.SetAsInteger(9);
    changes = 0;
    ExpectError([&] { cell.SetAsString(QStringLiteral("12a")); },
                QStringLiteral("'12a' is not a valid integer value"));
    ExpectError([&] { cell.SetAsFloat(1e12); },
                QStringLiteral("'1000000000000' is not a valid integer value"));
    EXPECT_EQ(cell.AsInteger(), 9);
    EXPECT_EQ(changes, 0);

    const std::pair<double, int> rounding[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4, 2}, {-0.6, -1}};
    for (const auto& [value, expected] : rounding) {
        cell.SetAsFloat(value);
        EXPECT_EQ(cell.AsInteger(), expected) << value;
    }
    cell.SetAsInteger(-5);
    EXPECT_FALSE(cell.AsBoolean());
    cell.SetAsBoolean(true);
    EXPECT_EQ(cell.AsInteger(), 1);
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 1.0);
    cell.SetAsDateTime(45000.0);
    EXPECT_EQ(cell.AsInteger(), 0);
    EXPECT_EQ(cell.AsDateTime(), 0);
}

TEST_F(CellsTest, floatCellRefusesEmptyTextAndIgnoresBooleans)
{
    TCell& cell = CellOfKind(ckFloat);
    cell.SetAsString(QStringLiteral("2.5"));
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 2.5);
    EXPECT_EQ(cell.AsInteger(), 2);
    EXPECT_DOUBLE_EQ(cell.AsDateTime(), 2.5);
    ExpectError([&] { cell.SetAsString(QString()); },
                QStringLiteral("'' is not a valid floating point value"));
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 2.5);

    cell.SetAsBoolean(true);
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 0.0);
    EXPECT_FALSE(cell.AsBoolean());
    cell.SetAsInteger(3);
    EXPECT_EQ(cell.AsString(), QStringLiteral("3"));
    cell.SetAsFloat(3.5);
    EXPECT_EQ(cell.AsInteger(), 4);
    cell.SetAsDateTime(1.25);
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 1.25);
}

TEST_F(CellsTest, dateTimeCellTakesUnreadableTextAsZeroAndTruncatesToIntegers)
{
    TCell& cell = CellOfKind(ckDateTime);
    const TDateTime moment = EncodeDateTime(2023, 12, 31, 23, 59, 58);
    cell.SetAsDateTime(moment);
    EXPECT_EQ(cell.AsString(), DateTimeToStr(moment));
    cell.SetAsString(DateTimeToStr(moment));
    EXPECT_NEAR(cell.AsDateTime(), moment, 1e-6);
    EXPECT_EQ(cell.AsInteger(), int(moment));

    changes = 0;
    cell.SetAsString(QStringLiteral("not a date"));
    EXPECT_EQ(cell.AsDateTime(), 0);
    cell.SetAsString(QString());
    EXPECT_EQ(cell.AsDateTime(), 0);
    EXPECT_EQ(changes, 2);

    cell.SetAsFloat(-1.5);
    EXPECT_EQ(cell.AsInteger(), -1);
    EXPECT_FALSE(cell.AsBoolean());
    cell.SetAsBoolean(false);
    EXPECT_DOUBLE_EQ(cell.AsDateTime(), Date());
}

TEST_F(CellsTest, incrementCellCountsItsRowAndIgnoresWritesButReportsThem)
{
    AddColumn(ckIncrement);
    cells.AddRows(6);
    TCell& cell = cells.CellAt(0, 4);
    EXPECT_EQ(cell.AsString(), QStringLiteral("5"));
    EXPECT_EQ(cell.AsInteger(), 5);
    EXPECT_DOUBLE_EQ(cell.AsFloat(), 5.0);
    EXPECT_FALSE(cell.AsBoolean());
    EXPECT_EQ(cell.AsDateTime(), 0);

    changes = 0;
    cell.SetAsString(QStringLiteral("99"));
    cell.SetAsInteger(99);
    cell.Clear();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(cell.AsInteger(), 5);

    cells.DeleteRowAt(0);
    TCell& moved = cells.CellAt(0, 3);
    EXPECT_EQ(&moved, &cell);
    EXPECT_EQ(moved.AsString(), QStringLiteral("4"));
}

TEST_F(CellsTest, guidCellUsesTheRegistryFormAndRefusesOtherTexts)
{
    TCell& cell = CellOfKind(ckGuid);
    const QRegularExpression registryForm(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    EXPECT_TRUE(registryForm.match(cell.AsString()).hasMatch()) << cell.AsString().toStdString();

    cell.SetAsString(QStringLiteral("{0123abcd-4567-89ab-cdef-0123456789ab}"));
    EXPECT_EQ(cell.AsString(), QStringLiteral("{0123ABCD-4567-89AB-CDEF-0123456789AB}"));
    changes = 0;
    for (const char* text :
         {"0123abcd-4567-89ab-cdef-0123456789ab", "{0123abcd-4567-89ab-cdef-0123456789aX}", ""})
        ExpectError(
            [&] { cell.SetAsString(QString::fromLatin1(text)); },
            QStringLiteral("'%1' is not a valid GUID value").arg(QString::fromLatin1(text)));
    ExpectError([&] { cell.SetAsBoolean(true); },
                QStringLiteral("'True' is not a valid GUID value"));
    ExpectError([&] { (void)cell.AsInteger(); },
                QStringLiteral("'%1' is not a valid integer value").arg(cell.AsString()));
    EXPECT_EQ(changes, 0);
    cell.Clear();
    EXPECT_EQ(cell.AsString(), QStringLiteral("{0123ABCD-4567-89AB-CDEF-0123456789AB}"));
    EXPECT_EQ(changes, 1);
}

TEST_F(CellsTest, virtualCellAsksItsColumnForTheTextOfItsPosition)
{
    TGxCustomColumn& column = AddColumn(ckVirtual);
    QString written;
    column.OnGetVirtualText = [](int ACol, int ARow) {
        return QStringLiteral("%1:%2").arg(ACol).arg(ARow * 10);
    };
    column.OnSetVirtualText = [&](int ACol, int ARow, const QString& value) {
        written = QStringLiteral("%1:%2=%3").arg(ACol).arg(ARow).arg(value);
    };
    cells.AddRows(3);
    EXPECT_EQ(cells.CellAt(0, 2).AsString(), QStringLiteral("0:20"));
    changes = 0;
    cells.CellAt(0, 1).SetAsInteger(7);
    EXPECT_EQ(written, QStringLiteral("0:1=7"));
    EXPECT_EQ(changes, 1);
}

TEST_F(CellsTest, clearResetsEachKindToItsZeroValue)
{
    for (TCellKind kind : {ckString, ckBoolean, ckInteger, ckFloat, ckDateTime})
        AddColumn(kind);
    cells.AddRows(1);
    cells.CellAt(0, 0).SetAsString(QStringLiteral("x"));
    cells.CellAt(1, 0).SetAsBoolean(true);
    cells.CellAt(2, 0).SetAsInteger(3);
    cells.CellAt(3, 0).SetAsFloat(1.5);
    cells.CellAt(4, 0).SetAsFloat(2.5);
    changes = 0;
    for (int col = 0; col < 5; ++col)
        cells.CellAt(col, 0).Clear();
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(cells.CellAt(0, 0).AsString(), QString());
    EXPECT_FALSE(cells.CellAt(1, 0).AsBoolean());
    EXPECT_EQ(cells.CellAt(2, 0).AsInteger(), 0);
    EXPECT_EQ(cells.CellAt(3, 0).AsFloat(), 0);
    EXPECT_EQ(cells.CellAt(4, 0).AsDateTime(), 0);
}

TEST_F(CellsTest, unlistedKindsGiveStringCells)
{
    for (int kind : {2, 5, 9, 10, 42})
        AddColumn(TCellKind(kind));
    cells.AddRows(1);
    for (int col = 0; col < cells.ColumnCount(); ++col)
        EXPECT_NE(dynamic_cast<TStringCell*>(&cells.CellAt(col, 0)), nullptr) << col;
}

TEST_F(CellsTest, newCellsTakeTheColumnsStyleSilentlyAndInsertedRowsHoldIntegersForIncrements)
{
    TGxCustomColumn& counter = AddColumn(ckIncrement);
    QFont bold;
    bold.setBold(true);
    counter.SetFont(bold);
    counter.SetColor(clRed);
    cells.AddRows(2);
    cells.InsertRowAt(1);
    EXPECT_EQ(changes, 0);

    TCell& appended = cells.CellAt(0, 0);
    TCell& inserted = cells.CellAt(0, 1);
    EXPECT_NE(dynamic_cast<TIncrementCell*>(&appended), nullptr);
    EXPECT_NE(dynamic_cast<TIntegerCell*>(&inserted), nullptr);
    EXPECT_EQ(inserted.AsInteger(), 0);
    for (TCell* cell : {&appended, &inserted}) {
        EXPECT_EQ(cell->Color(), clRed);
        EXPECT_TRUE(cell->FontStyle().contains(fsBold));
        EXPECT_FALSE(cell->FontStyle().contains(fsItalic));
    }
    inserted.SetColor(clBlack);
    EXPECT_EQ(changes, 1);
}

TEST_F(CellsTest, rowIndexesOutsideTheStoreRaiseTheListErrorAndChangeNothing)
{
    AddColumn(ckString);
    cells.AddRows(2);
    ExpectError([&] { cells.CellAt(0, 2); }, QStringLiteral("List index out of bounds (2)"));
    ExpectError([&] { cells.CellAt(1, 0); }, QStringLiteral("List index out of bounds (1)"));
    ExpectError([&] { cells.DeleteRowAt(-1); }, QStringLiteral("List index out of bounds (-1)"));
    ExpectError([&] { cells.InsertRowAt(3); }, QStringLiteral("List index out of bounds (3)"));
    ExpectError([&] { cells.MoveRowAt(0, 5); }, QStringLiteral("List index out of bounds (5)"));
    ExpectError([&] { cells.SwapRowsAt(4, 0); }, QStringLiteral("List index out of bounds (4)"));
    EXPECT_EQ(cells.RowCount(), 2);
    EXPECT_EQ(cells.LiveObjects(), 4u);
}

TEST_F(CellsTest, visibleRowCountFollowsTheShownRows)
{
    AddColumn(ckString);
    cells.AddRows(3);
    EXPECT_EQ(cells.VisibleRowCount(), 3);
    cells.SetRowVisible(1, false);
    cells.SetRowVisible(1, false);
    EXPECT_EQ(cells.VisibleRowCount(), 2);
    cells.InsertRowAt(0);
    EXPECT_EQ(cells.VisibleRowCount(), 3);
    cells.DeleteRowAt(2);
    EXPECT_EQ(cells.VisibleRowCount(), 3);
    cells.DeleteRowAt(0);
    EXPECT_EQ(cells.VisibleRowCount(), 2);
    cells.ClearAll();
    EXPECT_EQ(cells.VisibleRowCount(), 0);
}

TEST_F(CellsTest, childRowsFollowTheirParentAndGoWithIt)
{
    AddColumn(ckString);
    cells.AddRows(2);
    cells.AddChildRowAt(0, 1);
    cells.AddChildRowAt(1, 2);
    EXPECT_EQ(cells.RowAt(1).Level(), 1);
    EXPECT_EQ(cells.RowAt(2).Level(), 2);
    EXPECT_EQ(cells.RowAt(2).ParentRow(), &cells.RowAt(1));
    EXPECT_EQ(cells.RowAt(0).ChildCount(), 1);

    cells.RowAt(0).SetExpanded(false);
    cells.AddChildRowAt(0, 3);
    EXPECT_FALSE(cells.RowAt(3).AncestorsExpanded());
    EXPECT_EQ(cells.VisibleRowCount(), 4);

    cells.DeleteRowAt(1);
    EXPECT_EQ(cells.RowCount(), 3);
    EXPECT_EQ(cells.RowAt(0).ChildCount(), 1);
    EXPECT_EQ(cells.LiveObjects(), 6u);
}

TEST_F(CellsTest, deletingTheLastColumnLeavesNoRowsAndClearingLeavesNothingAlive)
{
    AddColumn(ckString);
    cells.AddRows(3);
    cells.DeleteRowAt(2);
    EXPECT_EQ(cells.LiveObjects(), 4u);
    cells.DeleteColumn(0);
    EXPECT_EQ(cells.RowCount(), 0);
    EXPECT_EQ(cells.LiveObjects(), 0u);

    AddColumn(ckInteger);
    AddColumn(ckString);
    EXPECT_EQ(cells.ColumnCount(), 2);
    cells.AddRows(5);
    cells.ClearAll();
    EXPECT_EQ(cells.RowCount(), 0);
    EXPECT_EQ(cells.ColumnCount(), 2);
    EXPECT_EQ(cells.LiveObjects(), 0u);
}

TEST_F(CellsTest, moveAndSwapCarryWholeRows)
{
    AddColumn(ckString);
    AddColumn(ckInteger);
    cells.AddRows(4);
    for (int row = 0; row < 4; ++row) {
        cells.CellAt(0, row).SetAsString(QString(QChar(u'a' + row)));
        cells.CellAt(1, row).SetAsInteger(row);
    }
    cells.MoveRowAt(0, 3);
    cells.SwapRowsAt(0, 1);
    QString order;
    for (int row = 0; row < 4; ++row) {
        order += cells.CellAt(0, row).AsString();
        EXPECT_EQ(cells.CellAt(1, row).AsInteger(),
                  cells.CellAt(0, row).AsString()[0].unicode() - u'a');
    }
    EXPECT_EQ(order, QStringLiteral("cbda"));
}

TEST(CellTextTest, keepsAnyTextAndComparesCodeUnitsAsUnsignedNumbers)
{
    const QString samples[] = {QString(),
                               QStringLiteral("1234567"),
                               QStringLiteral("12345678"),
                               QStringLiteral("caf\u00e9"),
                               QStringLiteral("/home/user/Pictures/2023/IMG_0001.jpg"),
                               QStringLiteral("\u65e5\u672c"),
                               QString::fromUtf8("\xF0\x9F\x98\x80 smile"),
                               QStringLiteral("z")};
    for (const QString& a : samples) {
        const TCellText text(a);
        EXPECT_EQ(text.ToString(), a);
        EXPECT_EQ(text.IsEmpty(), a.isEmpty());
        for (const QString& b : samples) {
            TCellText::InlineBuffer bufferA;
            TCellText::InlineBuffer bufferB;
            const TCellText other(b);
            const int expected = a == b ? 0 : (a < b ? -1 : 1);
            const int order = CompareUnits(text.Units(bufferA), other.Units(bufferB));
            EXPECT_EQ((order > 0) - (order < 0), expected)
                << a.toStdString() << " / " << b.toStdString();
        }
    }
    TCellText moved(QStringLiteral("a longer text on the heap"));
    TCellText target(QStringLiteral("short"));
    target = std::move(moved);
    EXPECT_EQ(target.ToString(), QStringLiteral("a longer text on the heap"));
    EXPECT_TRUE(moved.IsEmpty());
}

TEST(GapListTest, behavesAsAPlainListUnderRandomEdits)
{
    TGapList<int> list;
    std::vector<int> expected;
    std::mt19937 random(7);
    for (int step = 0; step < 5000; ++step) {
        const int size = int(expected.size());
        const int action = int(random() % 5);
        const int index = size == 0 ? 0 : int(random() % size);
        if (action <= 1 || size == 0) {
            const int at = int(random() % (size + 1));
            list.Insert(at, step);
            expected.insert(expected.begin() + at, step);
        } else if (action == 2) {
            EXPECT_EQ(list.Take(index), expected[size_t(index)]);
            expected.erase(expected.begin() + index);
        } else if (action == 3) {
            const int to = int(random() % size);
            list.Move(index, to);
            const int value = expected[size_t(index)];
            expected.erase(expected.begin() + index);
            expected.insert(expected.begin() + to, value);
        } else {
            const int other = int(random() % size);
            list.Swap(index, other);
            std::swap(expected[size_t(index)], expected[size_t(other)]);
        }
        ASSERT_EQ(list.Size(), int(expected.size()));
    }
    for (int i = 0; i < list.Size(); ++i)
        EXPECT_EQ(list[i], expected[size_t(i)]);
}
