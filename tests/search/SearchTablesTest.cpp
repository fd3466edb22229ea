#include "search/SearchTables.h"

#include "SearchViewFixture.h"
#include "grid/GxColumnClasses.h"
#include "platform/Exception.h"
#include "search/SearchRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList ColumnNames(const TDataGrid& grid)
{
    QStringList names;
    for (int i = 0; i < grid.Columns().Count(); ++i)
        names << grid.Columns().Items(i).Name();
    return names;
}

} // namespace

TEST(SearchTablesTest, workTablesHaveAPathAndASizeTextColumn)
{
    TDataGrid candidates;
    TDataGrid pairs;
    SetupCandidateTable(candidates);
    SetupPairTable(pairs);
    EXPECT_EQ(candidates.objectName(), QStringLiteral("DataGrid2"));
    EXPECT_EQ(ColumnNames(candidates), QStringList({"dest2", "size2"}));
    EXPECT_EQ(pairs.objectName(), QStringLiteral("DataGrid3"));
    EXPECT_EQ(ColumnNames(pairs), QStringList({"GxTextColumn1", "GxTextColumn2"}));
    for (const TDataGrid* grid : {&candidates, &pairs})
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(grid->Columns().Items(i).SortType(), stAlphabetic);
            EXPECT_EQ(grid->Columns().Items(i).CellKind(), ckString);
            EXPECT_EQ(grid->Columns().Items(i).Width(), i == 0 ? 221 : 80);
        }
}

TEST(SearchTablesTest, candidatesSortBySizeTextNotByNumber)
{
    TDataGrid grid;
    SetupCandidateTable(grid);
    for (const char* size : {"1024", "999", "1536", "1024"}) {
        const int row = grid.AddRow();
        grid.Cell("dest2", row).SetAsString(QStringLiteral("/pics/%1").arg(row));
        grid.Cell("size2", row).SetAsString(QString::fromLatin1(size));
    }
    grid.Columns().Items(1).SetSorted(true);
    QStringList sizes;
    for (int row = 0; row < grid.RowCount(); ++row)
        sizes << grid.Cell(1, row).AsString();
    EXPECT_EQ(sizes, QStringList({"1024", "1024", "1536", "999"}));
}

TEST(SearchTablesTest, columnsResolveByNameInAnyOrder)
{
    SearchControls controls;
    TGxColumns& columns = controls.DataGrid1.Columns();
    columns.Delete(controls.DataGrid1.NamedColumn("Dest").Index());
    columns.Add<TGxTextColumn>(QStringLiteral("dest"));
    const TSearchTables tables = TSearchTables::Resolve(controls.View());
    EXPECT_EQ(tables.Results.Dest, 8);
    EXPECT_EQ(tables.Results.Number, 0);
    EXPECT_EQ(columns.Items(tables.Results.Priv).Name(), QStringLiteral("Priv"));
    EXPECT_EQ(tables.Candidates.Path, 0);
    EXPECT_EQ(tables.Pairs.Size, 1);
}

// A grid without a column the search needs raises the grid's own error before any row is
// touched, and the run ends quietly.
TEST(SearchTablesTest, aMissingColumnRaisesTheGridsErrorAndEndsTheRun)
{
    SearchControls controls;
    controls.DataGrid1.Columns().Delete(controls.DataGrid1.NamedColumn("Res").Index());
    try {
        TSearchTables::Resolve(controls.View());
        ADD_FAILURE() << "no error for the missing column";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Invalid Columnname 'Res' for 'TDataGrid:DataGrid1'."));
    }

    QTemporaryDir dir;
    for (const char* name : {"a.jpg", "b.jpg"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(300, 'x'));
    }
    controls.StopFlag = 0;
    RunSearch(controls.View(), {QFile::encodeName(dir.path()), "*.jpg", false});
    EXPECT_EQ(controls.Label1.text(), QStringLiteral("Finish"));
    EXPECT_EQ(controls.DataGrid1.RowCount(), 0);
    EXPECT_EQ(controls.StopFlag, 1);
}
