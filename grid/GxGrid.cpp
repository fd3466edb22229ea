#include "grid/GxGrid.h"

#include "grid/GxDisplays.h"
#include "platform/Exception.h"

#include <QScrollBar>
#include <cmath>
#include <limits>
#include <set>

namespace {

bool IsNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// A Variant read as an integer: a number, or a text holding one.
bool VariantToInt(const QVariant& value, int& result)
{
    if (value.typeId() == QMetaType::Int) {
        result = value.toInt();
        return true;
    }
    if (IsNumber(value)) {
        const double number = std::nearbyint(value.toDouble());
        if (!(number >= std::numeric_limits<int>::min() &&
              number <= std::numeric_limits<int>::max()))
            return false;
        result = int(number);
        return true;
    }
    return TryStrToInt(value.toString(), result);
}

} // namespace

TDataGrid::TDataGrid(QWidget* parent) : TGxCustomGrid(parent)
{
    m_cells.SetDefaultRowHeight(RowSize());
    m_cells.CellChangedCallback = [this](int ACol, int ARow) {
        if (UpdateCount() > 0)
            return;
        InvalidateCell(ACol, ARow);
        if (OnChange)
            OnChange(this, ACol, ARow);
    };
    m_cells.CompareCallback = [this](TCell& Cell1, TCell& Cell2) {
        int compare = 0;
        if (OnCompare)
            OnCompare(this, Cell1, Cell2, compare);
        return compare;
    };
}

// --- Rows ---------------------------------------------------------------------------------

int TDataGrid::AddRow(int Count)
{
    if (Count < 1)
        return m_lastAddedRow;
    if (UpdateCount() == 0)
        Realise();
    const int firstRow = RowCount();
    m_cells.AddRows(Count);
    m_lastAddedRow = m_lastShownRow = RowCount() - 1;
    if (Options().contains(goUseDefaultValues))
        ApplyDefaultValues(firstRow, RowCount());
    if (UpdateCount() == 0)
        Invalidate();
    if (OnDataChange)
        OnDataChange(this, dcAddRow, RowCount() - 1);
    return RowCount() - 1;
}

void TDataGrid::ApplyDefaultValues(int firstRow, int endRow)
{
    std::vector<std::pair<int, QString>> defaults;
    for (const auto& column : Columns().ItemsList())
        if (!column->DefaultValue().isEmpty())
            defaults.emplace_back(column->Index(), column->DefaultValue());
    for (int row = firstRow; row < endRow; ++row)
        for (const auto& [col, value] : defaults)
            m_cells.CellAt(col, row).SetAsString(value);
}

int TDataGrid::AddChildRow(int ARow, bool afterDescendants)
{
    const int level = RowAt(ARow).Level();
    int position = ARow + 1;
    if (afterDescendants)
        while (position < RowCount() && m_cells.RowAt(position).Level() > level)
            ++position;
    m_cells.AddChildRowAt(ARow, position);
    m_lastAddedRow = position;
    UpdateShownRows();
    if (Options().contains(goUseDefaultValues))
        ApplyDefaultValues(position, position + 1);
    Invalidate();
    return position;
}

void TDataGrid::InsertRow(int Pos)
{
    if (Pos < 0 || Pos > RowCount())
        throw EListError(Pos);
    if (Pos < m_firstShownRow)
        m_firstShownRow = Pos;
    if (verticalScrollBar()->value() == 0)
        m_topRow = m_firstShownRow;
    m_lastAddedRow = Pos;
    m_cells.InsertRowAt(Pos);
    // The selection stays on its row, which moves down when the new row comes above it.
    if (m_selectedRow >= Pos)
        ++m_selectedRow;
    UpdateShownRows();
    Invalidate();
    if (OnDataChange)
        OnDataChange(this, dcInsertRow, Pos);
}

void TDataGrid::DeleteRow(int ARow)
{
    const bool shown = RowAt(ARow).Shown();
    const int countBefore = RowCount();
    m_cells.DeleteRowAt(ARow);
    UpdateShownRows();
    if (shown && ARow < m_topRow)
        m_topRow = std::max(0, m_topRow - (countBefore - RowCount()));
    Invalidate();
    if (m_selectedRow >= 0 && m_selectedRow >= m_lastShownRow) {
        if (OnDeselectCell)
            OnDeselectCell(this, m_selectedColumn, m_selectedRow);
        PlaceSelection(m_lastShownRow);
    }
    if (OnDataChange)
        OnDataChange(this, dcDeleteRow, ARow);
}

void TDataGrid::ClearRows()
{
    Realise();
    m_topRow = 0;
    m_selectedColumn = 0;
    m_selectedRow = -1;
    m_cells.ClearAll();
    m_firstShownRow = m_lastShownRow = 0;
    Invalidate();
}

void TDataGrid::MoveRow(int FromPos, int ToPos)
{
    RowAt(FromPos);
    RowAt(ToPos);
    if (FromPos != ToPos) {
        m_cells.MoveRowAt(FromPos, ToPos);
        UpdateShownRows();
    }
    Invalidate();
}

void TDataGrid::SwapRows(int A, int B)
{
    m_cells.SwapRowsAt(A, B);
    if (UpdateCount() == 0)
        Invalidate();
}

void TDataGrid::ArrangeRows(const std::vector<int>& order)
{
    const TRow* selected = SelectedRecord();
    m_cells.ArrangeRows(order);
    RestoreSelection(selected);
    UpdateShownRows();
    Invalidate();
}

void TDataGrid::SetStartRowCount(int value)
{
    if (value < 0 || value == m_startRowCount)
        return;
    if (value > m_startRowCount) {
        AddRow(value - m_startRowCount);
    } else {
        const int deletions =
            m_startRowCount < RowCount() ? m_startRowCount - value : RowCount() - value;
        for (int i = 0; i < deletions; ++i)
            DeleteRow(0);
    }
    m_startRowCount = value;
    Invalidate();
}

// --- Row attributes -----------------------------------------------------------------------

int TDataGrid::RowHeight(int ARow)
{
    int height = RowAt(ARow).RowHeight();
    if (OnMeasuringRowHeight)
        OnMeasuringRowHeight(this, ARow, height);
    return height;
}

void TDataGrid::SetRowHeight(int ARow, int value)
{
    RowAt(ARow).SetRowHeight(value);
    Invalidate();
}

void TDataGrid::SetRowVisible(int ARow, bool value)
{
    m_cells.SetRowVisible(ARow, value);
    UpdateShownRows();
    Invalidate();
}

void TDataGrid::SetRowExpanded(int ARow, bool value)
{
    TRow& row = RowAt(ARow);
    if (row.ChildCount() < 1 || row.Expanded() == value)
        return;
    const int level = row.Level();
    // Children of a row that is itself under a collapsed ancestor stay hidden.
    const bool show = value && row.AncestorsExpanded();
    int index = ARow + 1;
    while (index < RowCount() && m_cells.RowAt(index).Level() > level) {
        TRow& descendant = m_cells.RowAt(index);
        m_cells.SetRowAncestorsExpanded(index, show);
        ++index;
        // Below a collapsed descendant everything stays as hidden as it was.
        if (show && !descendant.Expanded())
            while (index < RowCount() && m_cells.RowAt(index).Level() > descendant.Level())
                ++index;
    }
    row.SetExpanded(value);
    UpdateShownRows();
    Invalidate();
    if (OnExpand)
        OnExpand(this, ARow);
}

// --- Cells --------------------------------------------------------------------------------

TCell& TDataGrid::Cell(int ACol, int ARow)
{
    return m_cells.CellAt(ACol, ARow);
}

TCell& TDataGrid::Cell(const QVariant& ACol, const QVariant& ARow)
{
    const int row = ResolveRow(ARow);
    const int col = ResolveColumn(ACol);
    return m_cells.CellAt(col, row);
}

void TDataGrid::RaiseInvalidName(const char* what, const QVariant& name) const
{
    throw Exception(QStringLiteral("Invalid %1name '%2' for '%3:%4'.")
                        .arg(QLatin1String(what), name.toString(),
                             QLatin1String(metaObject()->className()), objectName()));
}

int TDataGrid::ResolveRow(const QVariant& ARow) const
{
    int row = 0;
    // A number cannot be one of the words; this is the common case, kept free of text.
    if (IsNumber(ARow) && VariantToInt(ARow, row))
        return row;
    const QString text = ARow.toString();
    if (SameText(text, QStringLiteral("First")))
        return 0;
    if (SameText(text, QStringLiteral("Last")))
        return RowCount() - 1;
    if (SameText(text, QStringLiteral("Selected")))
        return SelectedRow();
    if (!VariantToInt(ARow, row))
        RaiseInvalidName("Row", ARow);
    return row;
}

int TDataGrid::ResolveColumn(const QVariant& ACol) const
{
    const QString text = ACol.toString();
    if (SameText(text, QStringLiteral("First")))
        return 0;
    if (SameText(text, QStringLiteral("Last")))
        return Columns().Count() - 1;
    if (SameText(text, QStringLiteral("Selected")))
        return SelectedColumn();
    if (const TGxCustomColumn* column = ColumnByName(text))
        return column->Index();
    int col = 0;
    if (!VariantToInt(ACol, col))
        RaiseInvalidName("Column", ACol);
    return col;
}

TGxCustomColumn& TDataGrid::NamedColumn(const QString& name) const
{
    TGxCustomColumn* column = ColumnByName(name);
    if (!column)
        RaiseInvalidName("Column", name);
    return *column;
}

QString TDataGrid::Cells(int ACol, int ARow)
{
    if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= Columns().Count())
        return QString();
    return m_cells.CellAt(ACol, ARow).AsString();
}

void TDataGrid::SetCells(int ACol, int ARow, const QString& value)
{
    if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= Columns().Count())
        return;
    m_cells.CellAt(ACol, ARow).SetAsString(value);
}

// --- Sorting ------------------------------------------------------------------------------

void TDataGrid::SortColumn(TGxCustomColumn& column, bool ascending)
{
    if (!column.Options().contains(coCanSort))
        return;
    Invalidate();
    m_sortedColumn = &column;
    if (OnSortColumn)
        OnSortColumn(this, column.Index(), ascending);
    std::vector<int> order;
    if (OnSortOrder)
        OnSortOrder(this, column.Index(), ascending, order);
    const TRow* selected = SelectedRecord();
    try {
        if (!order.empty())
            m_cells.ArrangeRows(order);
        else
            m_cells.SortRows(column.Index(), column.SortType(),
                             column.Options().contains(coFullResort), !ascending);
    } catch (...) {
        // Whatever order the failed sort left, the selection stays on its data row.
        RestoreSelection(selected);
        throw;
    }
    RestoreSelection(selected);
    UpdateShownRows();
    Invalidate();
    if (OnAfterSort)
        OnAfterSort(this, column.Index());
}

const TRow* TDataGrid::SelectedRecord()
{
    return m_selectedRow >= 0 && m_selectedRow < RowCount() ? &m_cells.RowAt(m_selectedRow)
                                                            : nullptr;
}

void TDataGrid::RestoreSelection(const TRow* row)
{
    if (row)
        SetSelectedRow(m_cells.IndexOfRow(*row));
}

// --- Footers ------------------------------------------------------------------------------

void TDataGrid::RecalculateFooters(bool shownRowsOnly)
{
    for (const auto& column : Columns().ItemsList()) {
        const TFormulaKind kind = column->Footer().FormulaKind();
        if (kind == fkNone)
            continue;
        if (RowCount() == 0) {
            column->Footer().SetCaption(QStringLiteral("0"));
            continue;
        }
        double value = FooterValue(column->Index(), kind, shownRowsOnly);
        if (OnFooterCalculate)
            OnFooterCalculate(this, column->Index(), value);
        column->Footer().SetCaption(FloatToStr(value));
    }
}

double TDataGrid::FooterValue(int col, TFormulaKind kind, bool shownRowsOnly)
{
    double value = 0;
    if (kind == fkCustom) {
        if (OnColumnFooterValue)
            OnColumnFooterValue(this, col, value);
        return value;
    }
    if (kind == fkCount)
        return RowCount();
    double sum = 0;
    bool any = false;
    std::set<QString> texts;
    for (int row = 0; row < RowCount(); ++row) {
        if (shownRowsOnly && !m_cells.RowAt(row).Shown())
            continue;
        TCell& cell = m_cells.CellAt(col, row);
        if (kind == fkDistinct) {
            texts.insert(cell.AsString());
            continue;
        }
        const double number = cell.AsFloat();
        sum += number;
        if (!any || (kind == fkMaximum && number > value) || (kind == fkMinimum && number < value))
            value = number;
        any = true;
    }
    switch (kind) {
    case fkSum:
        return sum;
    case fkAverage:
        return sum / RowCount();
    case fkDistinct:
        return double(texts.size());
    default:
        return any ? value : 0;
    }
}

// --- Column sync --------------------------------------------------------------------------

void TDataGrid::ColumnAdded(TGxCustomColumn& column)
{
    m_cells.AddColumn(column);
}

void TDataGrid::ColumnDeleted(TGxCustomColumn& column, int index)
{
    m_cells.DeleteColumn(index);
    TGxCustomGrid::ColumnDeleted(column, index);
    // Without columns there are no rows either.
    if (RowCount() == 0) {
        m_selectedRow = -1;
        m_topRow = 0;
    }
    UpdateShownRows();
}

// --- Cell interactors ----------------------------------------------------------------------

TColumnPlay* TDataGrid::PreparePlay(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= Columns().Count() || ARow < 0 || ARow >= RowCount())
        return nullptr;
    TGxCustomColumn& column = Columns().Items(ACol);
    TColumnPlay* play = column.Play();
    if (!play)
        return nullptr;
    bool accept = true;
    if (OnBeforeEdit)
        OnBeforeEdit(this, ACol, ARow, accept);
    if (!accept)
        return nullptr;
    play->SetCell(ACol, ARow);
    play->SetCanvas(Canvas());
    play->SetWindow(this);
    play->LoadValue(Cell(ACol, ARow), column.CellKind(), ARow);
    play->SetCellRect(GetCellRect(ACol, ARow));
    play->OnChange = [this](TColumnPlay& sender) {
        ApplyPlayValue(sender);
    };
    return play;
}

void TDataGrid::ApplyPlayValue(TColumnPlay& play)
{
    const int col = play.ACol();
    const int row = play.ARow();
    bool accept = true;
    if (OnEditAccept)
        OnEditAccept(this, col, row, play.Text(), accept);
    // The row or column may be gone by now: a handler can do anything.
    if (!accept || col < 0 || col >= Columns().Count() || row < 0 || row >= RowCount())
        return;
    TCell& cell = Cell(col, row);
    switch (Columns().Items(col).CellKind()) {
    case ckBoolean:
        cell.SetAsBoolean(play.BoolValue());
        break;
    case ckInteger:
        cell.SetAsInteger(play.IntValue());
        break;
    default:
        cell.SetAsString(play.Text());
        break;
    }
    const QString value = Cell(col, row).AsString();
    if (OnAfterEdit)
        OnAfterEdit(this, col, row, value);
}
