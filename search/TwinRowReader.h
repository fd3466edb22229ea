#pragma once

#include "platform/DateTimeReader.h"
#include "search/ReferenceRows.h"
#include "search/ResultColumns.h"
#include "search/TwinGroups.h"

class TDataGrid;

// Reads rows of the results grid as the keep-one rules see them: the group, the date the Date
// column shows, the path as the file name's bytes, the mark and whether the file lies in a
// reference folder. The columns and the locale's date formats are taken once, so that reading
// row after row stays cheap.
class TTwinRowReader
{
public:
    TTwinRowReader(TDataGrid& grid, const TResultColumns& columns);

    TTwinRow Read(int row) const;

private:
    TDataGrid& m_grid;
    TResultColumns m_columns;
    TReferenceRows m_references;
    TDateTimeReader m_dates;
};
