#include "app/FormGrids.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"

namespace {

// The settings every column of the layout states: name, header caption, width (also its
// default width), cell and header alignment and default value.
struct ColumnLayout
{
    const char* name;
    const char* caption;
    int width;
    TAlignment alignment;
    TAlignment headerAlignment;
    const char* defaultValue;
};

template <typename T> T& AddColumn(TDataGrid& grid, const ColumnLayout& layout)
{
    T& column = grid.Columns().Add<T>(QString::fromLatin1(layout.name));
    column.Header().SetCaption(QString::fromUtf8(layout.caption));
    column.SetWidth(layout.width);
    column.SetDefaultWidth(layout.width);
    column.SetAlignment(layout.alignment);
    column.Header().SetAlignment(layout.headerAlignment);
    column.SetDefaultValue(QString::fromLatin1(layout.defaultValue));
    return column;
}

} // namespace

void SetupResultsGrid(TDataGrid& grid, TImageList& images)
{
    grid.setObjectName(QStringLiteral("DataGrid1"));
    grid.SetOptions({goGrid, goHeader, goSelectFullRow, goUseDefaultValues});
    grid.SetRowSize(81);

    AddColumn<TGxIncrementColumn>(grid, {"GxNumberColumn1", "#", 27, taCenter, taLeftJustify, "0"});
    AddColumn<TGxTextColumn>(grid, {"Dest", "Destanation", 242, taLeftJustify, taLeftJustify, ""});
    // Marked as the sorted column; the grid is not realised yet, so nothing is sorted.
    AddColumn<TGxTextColumn>(grid, {"Size", "Size", 74, taLeftJustify, taLeftJustify, ""})
        .SetSorted(true);
    AddColumn<TGxTextColumn>(grid, {"Res", "Resolution", 93, taCenter, taCenter, ""});
    AddColumn<TGxTextColumn>(grid, {"Date", "Date creating", 81, taLeftJustify, taLeftJustify, ""});
    AddColumn<TGxImageColumn>(grid, {"Priv", "Priview", 138, taCenter, taCenter, "0"})
        .SetImages(&images);
    AddColumn<TGxCheckBoxColumn>(grid, {"Del", "Delete", 80, taCenter, taCenter, "True"})
        .SetOptions({coCanClick, coCanInput, coCanSort, coDontHighlight, coEditing, coPublicUsing});
    auto& group =
        AddColumn<TGxNumberColumn>(grid, {"Group", "", 80, taRightJustify, taLeftJustify, "0"});
    group.SetVisible(false);
    group.SetIncrement(1.0);
    group.SetPrecision(0);
}
