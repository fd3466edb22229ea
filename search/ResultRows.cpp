#include "search/ResultRows.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "platform/SysUtils.h"
#include "search/ReferenceFolders.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"
#include "search/SizeText.h"
#include "search/Thumbnail.h"
#include "search/ThumbnailPrefetcher.h"

#include <QLabel>

namespace {

void ShowProgress(const TSearchView& view, const QString& path)
{
    view.Label1.setText(QStringLiteral("Out founded files") + path);
    view.Label3.setText(QStringLiteral("Found files: ") +
                        QString::number(view.Memo1.Lines().Count()));
    view.Label4.setText(QStringLiteral("Duplicates: ") +
                        QString::number(view.DataGrid1.RowCount()));
}

// The files of the pair table, in row order, as the thumbnails are made from them.
std::vector<QByteArray> PairFiles(TDataGrid& pairs, const TFileTableColumns& columns)
{
    std::vector<QByteArray> files;
    files.reserve(size_t(pairs.RowCount()));
    for (int row = 0; row < pairs.RowCount(); ++row)
        files.push_back(TextToFileName(pairs.Cell(columns.Path, row).AsString()));
    return files;
}

void MakeResultRow(const TSearchView& view, const TSearchTables& tables, int pairRow,
                   int imageIndex, TThumbnailPrefetcher& thumbnails,
                   const TReferenceFolders& references)
{
    const TResultColumns& columns = tables.Results;
    TDataGrid& results = view.DataGrid1;
    const QString path = view.DataGrid3.Cell(tables.Pairs.Path, pairRow).AsString();
    const QByteArray fileName = TextToFileName(path);
    const int row = results.AddRow();
    // First of all, so that no failure further on can leave a reference file's row marked.
    if (references.Contains(fileName)) {
        results.Cell(columns.Ref, row).SetAsString(QStringLiteral("True"));
        results.Cell(columns.Del, row).SetAsBoolean(false);
    }
    const TThumbnailResult thumbnail = thumbnails.Take(pairRow);
    for (const QImage& picture : thumbnail.thumbnails)
        view.ImageList1.Add(picture);
    if (!thumbnail.resolution.isEmpty())
        results.Cell(columns.Res, row).SetAsString(thumbnail.resolution);
    results.Cell(columns.Priv, row).SetAsInteger(imageIndex);
    results.Cell(columns.Dest, row).SetAsString(path);
    const double size = StrToFloat(view.DataGrid3.Cell(tables.Pairs.Size, pairRow).AsString());
    results.Cell(columns.Size, row).SetAsString(SizeText(size));
    results.Cell(columns.Date, row).SetAsString(DateTimeToStr(FileCreationDateTime(fileName)));
}

} // namespace

bool MakeResultRows(const TSearchView& view, const TSearchTables& tables,
                    const TReferenceFolders& references)
{
    TDataGrid& pairs = view.DataGrid3;
    if (pairs.RowCount() > 0)
        view.ProgressBar1.SetMax(pairs.RowCount() - 2);
    // The next pictures are decoded ahead on every core while this row is made, and a twin of
    // the row before takes that row's pictures; the rows, their order and the stop points are
    // those of making each thumbnail in its turn. Leaving early drops the decodes not started.
    TThumbnailPrefetcher thumbnails(PairFiles(pairs, tables.Pairs), view.Image1.Picture());
    int imageCounter = 0;
    for (int s = 0; s < pairs.RowCount(); ++s) {
        view.ProgressBar1.SetPosition(s);
        if (IsIdle(view.StopFlag))
            return false;
        ShowProgress(view, pairs.Cell(tables.Pairs.Path, s).AsString());
        HandleMessages(view);
        ++imageCounter;
        MakeResultRow(view, tables, s, imageCounter - 1, thumbnails, references);
    }
    return true;
}
