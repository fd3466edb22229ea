#pragma once

#include "grid/shared/GxSharedCommon.h"

#include <array>
#include <string_view>

class TDataGrid;
class TImageList;

// Which column class shows a results column.
enum class TResultColumnKind {
    RowNumber,
    Text,
    // A text column whose paths are cut in the middle, so that the file name always shows.
    Path,
    Thumbnail,
    Mark,
    GroupNumber,
};

// How a results column starts out: shown, shown as the sorted column, or hidden.
enum class TResultColumnStart { Shown, Sorted, Hidden };

// One column of the results grid: the name the code finds it by, its header caption, its width
// (also its default width), the alignment of its cells and of its header, and the value a new row
// takes.
struct TResultColumnLayout
{
    const char* Name;
    const char* Caption;
    TResultColumnKind Kind;
    int Width;
    TAlignment Alignment;
    TAlignment HeaderAlignment;
    const char* DefaultValue;
    TResultColumnStart Start = TResultColumnStart::Shown;
};

// The results grid's columns, left to right: row number, path, size, resolution, date, thumbnail,
// removal mark, the hidden group number and the hidden reference flag. New rows take the default
// values, so every new row is marked for removal (the search unmarks a reference file's row).
inline constexpr std::array<TResultColumnLayout, 9> ResultColumnLayouts{{
    {"GxNumberColumn1", "#", TResultColumnKind::RowNumber, 27, taCenter, taLeftJustify, "0"},
    {"Dest", "Destanation", TResultColumnKind::Path, 242, taLeftJustify, taLeftJustify, ""},
    // Marked as the sorted column; a grid not yet realised sorts nothing.
    {"Size", "Size", TResultColumnKind::Text, 74, taLeftJustify, taLeftJustify, "",
     TResultColumnStart::Sorted},
    {"Res", "Resolution", TResultColumnKind::Text, 93, taCenter, taCenter, ""},
    {"Date", "Date creating", TResultColumnKind::Text, 81, taLeftJustify, taLeftJustify, ""},
    {"Priv", "Priview", TResultColumnKind::Thumbnail, 138, taCenter, taCenter, "0"},
    {"Del", "Delete", TResultColumnKind::Mark, 80, taCenter, taCenter, "True"},
    {"Group", "", TResultColumnKind::GroupNumber, 80, taRightJustify, taLeftJustify, "0",
     TResultColumnStart::Hidden},
    // "True" where the row's file lies in a reference folder (see TReferenceRows).
    {"Ref", "", TResultColumnKind::Text, 80, taLeftJustify, taLeftJustify, "False",
     TResultColumnStart::Hidden},
}};

// The width the layout gives the column of that name; 0 for a name it does not have.
constexpr int ResultColumnWidth(std::string_view name)
{
    for (const TResultColumnLayout& layout : ResultColumnLayouts)
        if (name == layout.Name)
            return layout.Width;
    return 0;
}

// Where each column of a results grid stands. The columns are found by name once, so a grid that
// lacks one fails where they are resolved with the grid's "Invalid Columnname" error instead of at
// the first cell.
struct TResultColumns
{
    int Number;
    int Dest;
    int Size;
    int Res;
    int Date;
    int Priv;
    int Del;
    int Group;
    int Ref;

    static TResultColumns Resolve(const TDataGrid& grid);
};

// Adds the columns ResultColumnLayouts describes to the grid, in order; the thumbnail column
// shows the pictures of images.
void AddResultColumns(TDataGrid& grid, TImageList& images);
