#pragma once

#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/Exception.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>

// Runs the action and expects it to raise an error with the message.
template <typename Action> void ExpectError(Action&& action, const QString& message)
{
    try {
        action();
        ADD_FAILURE() << "no error, expected: " << message.toStdString();
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), message);
    }
}

// Text columns with the given names.
inline void AddTextColumns(TDataGrid& grid, const QStringList& names)
{
    for (const QString& name : names)
        grid.Columns().Add<TGxTextColumn>(name);
}

// One row per entry, its texts in column order.
inline void AddTextRows(TDataGrid& grid, const std::vector<QStringList>& rows)
{
    for (const QStringList& texts : rows) {
        const int row = grid.AddRow();
        for (int col = 0; col < texts.size(); ++col)
            grid.Cell(col, row).SetAsString(texts[col]);
    }
}

inline QStringList ColumnTexts(TDataGrid& grid, int col)
{
    QStringList texts;
    for (int row = 0; row < grid.RowCount(); ++row)
        texts << grid.Cell(col, row).AsString();
    return texts;
}

// Every cell and row record alive sits in exactly one place of the store.
inline void ExpectStoreIntact(TDataGrid& grid)
{
    std::set<const TCell*> cells;
    for (int col = 0; col < grid.Columns().Count(); ++col)
        for (int row = 0; row < grid.RowCount(); ++row)
            cells.insert(&grid.Cell(col, row));
    const size_t rows = size_t(grid.RowCount());
    EXPECT_EQ(cells.size(), rows * size_t(grid.Columns().Count()));
    EXPECT_EQ(grid.CellStore().LiveObjects(), rows * size_t(grid.Columns().Count() + 1));
}
