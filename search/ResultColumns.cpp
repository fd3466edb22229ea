#include "search/ResultColumns.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"

namespace {

// The index of the column the layout's entry at that place describes.
int Index(const TDataGrid& grid, size_t place)
{
    return grid.NamedColumn(QLatin1String(ResultColumnLayouts[place].Name)).Index();
}

TGxCustomColumn& AddColumn(TDataGrid& grid, TResultColumnKind kind, const QString& name,
                           TImageList& images)
{
    TGxColumns& columns = grid.Columns();
    switch (kind) {
    case TResultColumnKind::RowNumber:
        return columns.Add<TGxIncrementColumn>(name);
    case TResultColumnKind::Text:
        break;
    case TResultColumnKind::Path: {
        auto& column = columns.Add<TGxTextColumn>(name);
        column.SetWrapKind(wkPathEllipsis);
        return column;
    }
    case TResultColumnKind::Thumbnail: {
        auto& column = columns.Add<TGxImageColumn>(name);
        column.SetImages(&images);
        return column;
    }
    case TResultColumnKind::Mark: {
        auto& column = columns.Add<TGxCheckBoxColumn>(name);
        column.SetOptions(
            {coCanClick, coCanInput, coCanSort, coDontHighlight, coEditing, coPublicUsing});
        return column;
    }
    case TResultColumnKind::GroupNumber: {
        auto& column = columns.Add<TGxNumberColumn>(name);
        column.SetIncrement(1.0);
        column.SetPrecision(0);
        return column;
    }
    }
    return columns.Add<TGxTextColumn>(name);
}

} // namespace

TResultColumns TResultColumns::Resolve(const TDataGrid& grid)
{
    // In the layout's order.
    return {Index(grid, 0), Index(grid, 1), Index(grid, 2), Index(grid, 3), Index(grid, 4),
            Index(grid, 5), Index(grid, 6), Index(grid, 7), Index(grid, 8)};
}

void AddResultColumns(TDataGrid& grid, TImageList& images)
{
    for (const TResultColumnLayout& layout : ResultColumnLayouts) {
        TGxCustomColumn& column = AddColumn(grid, layout.Kind, QLatin1String(layout.Name), images);
        column.Header().SetCaption(QString::fromUtf8(layout.Caption));
        column.SetWidth(layout.Width);
        column.SetDefaultWidth(layout.Width);
        column.SetAlignment(layout.Alignment);
        column.Header().SetAlignment(layout.HeaderAlignment);
        column.SetDefaultValue(QLatin1String(layout.DefaultValue));
        if (layout.Start == TResultColumnStart::Sorted)
            column.SetSorted(true);
        if (layout.Start == TResultColumnStart::Hidden)
            column.SetVisible(false);
    }
}
