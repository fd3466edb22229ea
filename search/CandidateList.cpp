#include "search/CandidateList.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "platform/SysUtils.h"
#include "search/SearchView.h"

#include <QLabel>

bool IsCandidate(const QByteArray& path, double size, const TTrashFolders& trash)
{
    return size > 100 && !path.contains("RECYCLER") && !trash.Contains(path);
}

void BuildCandidateList(const TSearchView& view)
{
    const TTrashFolders trash;
    TDataGrid& candidates = view.DataGrid2;
    const int pathColumn = candidates.ColumnByName(QStringLiteral("dest2"))->Index();
    const int sizeColumn = candidates.ColumnByName(QStringLiteral("size2"))->Index();
    const TMemoLines& lines = view.Memo1.Lines();
    for (int s = 0; s < lines.Count(); ++s) {
        view.ProgressBar1.SetPosition(s);
        const QByteArray path = lines.Line(s);
        const double size = FileSizeOf(path);
        const QString pathText = FileNameToText(path);
        view.Label3.setText(pathText);
        if (IsCandidate(path, size, trash)) {
            const int row = candidates.AddRow();
            candidates.Cell(pathColumn, row).SetAsString(pathText);
            candidates.Cell(sizeColumn, row).SetAsString(FloatToStr(size));
        }
        HandleMessages(view);
    }
}

void SortCandidates(const TSearchView& view)
{
    view.DataGrid2.ColumnByName(QStringLiteral("Size2"))->SetSorted(true);
}
