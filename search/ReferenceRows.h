#pragma once

class TDataGrid;
struct TResultColumns;

// Which rows of the results grid hold a file of a reference folder, as the search found when it
// made them (the hidden Ref column reads "True"). Such a row is never marked, and its file is
// never removed or moved. The column is looked up once, so asking row after row stays cheap.
class TReferenceRows
{
public:
    // Raises the grid's "Invalid Columnname" error when the grid has no Ref column.
    explicit TReferenceRows(TDataGrid& results);
    // With the columns resolved already: no look-up at all.
    TReferenceRows(TDataGrid& results, const TResultColumns& columns);

    bool Contains(int row) const;

private:
    TDataGrid& m_results;
    int m_column;
};
