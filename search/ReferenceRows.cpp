#include "search/ReferenceRows.h"

#include "grid/GxGrid.h"
#include "search/ResultColumns.h"

TReferenceRows::TReferenceRows(TDataGrid& results)
    : TReferenceRows(results, TResultColumns::Resolve(results))
{}

TReferenceRows::TReferenceRows(TDataGrid& results, const TResultColumns& columns)
    : m_results(results), m_column(columns.Ref)
{}

bool TReferenceRows::Contains(int row) const
{
    return m_results.Cell(m_column, row).AsString() == QLatin1String("True");
}
