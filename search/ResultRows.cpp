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
#include "search/ResultMarks.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"
#include "search/SizeText.h"
#include "search/Thumbnail.h"
#include "search/ThumbnailFill.h"
#include "search/WorkAhead.h"

#include <QLabel>
#include <QScopeGuard>

namespace {

// How long the fill waits for a thumbnail before it lets messages be handled again.
constexpr int kThumbnailWaitMilliseconds = 10;

void ShowProgress(const TSearchView& view, const QString& path)
{
    view.Label1.setText(QStringLiteral("Out founded files") + path);
    view.Label3.setText(QStringLiteral("Found files: ") +
                        QString::number(view.Memo1.Lines().Count()));
    view.Label4.setText(QStringLiteral("Duplicates: ") +
                        QString::number(view.DataGrid1.RowCount()));
}

// What a result row shows of its file that only the disk can tell.
struct TRowFile
{
    QString resolution;
    TDateTime created = 0;
};

// Makes the result rows, one for each row of the pair table: the rows as the user can work with
// them before their thumbnails. Each row's places in the image list are made (empty until the
// pictures come), and its Res is read from the pictures' headers; the headers and dates of the
// rows ahead are read on all cores.
class TResultRowMaker
{
public:
    TResultRowMaker(const TSearchView& view, const TSearchTables& tables,
                    const TReferenceFolders& references)
        : m_view(view), m_tables(tables), m_references(references),
          m_rowFiles(
              [placeholder = view.Image1.Picture()](const QByteArray& path) {
                  return TRowFile{HeaderResolution(path, placeholder), FileCreationDateTime(path)};
              },
              [this](int pairRow) { return TextToFileName(PairPath(pairRow)); },
              [&view] { HandleMessages(view); })
    {
        m_files.reserve(size_t(view.DataGrid3.RowCount()));
    }

    void Make(int pairRow, int imageIndex, int group);
    // The files of the rows made, in row order.
    std::vector<QByteArray> TakeFiles() { return std::move(m_files); }

private:
    QString PairPath(int pairRow) const
    {
        return m_view.DataGrid3.Cell(m_tables.Pairs.Path, pairRow).AsString();
    }

    const TSearchView& m_view;
    const TSearchTables& m_tables;
    const TReferenceFolders& m_references;
    TWorkAhead<QByteArray, TRowFile> m_rowFiles;
    std::vector<QByteArray> m_files;
};

void TResultRowMaker::Make(int pairRow, int imageIndex, int group)
{
    const TResultColumns& columns = m_tables.Results;
    TDataGrid& results = m_view.DataGrid1;
    const QString path = PairPath(pairRow);
    QByteArray fileName = TextToFileName(path);
    const int row = results.AddRow();
    // First of all, so that no failure further on can leave a reference file's row marked.
    if (m_references.Contains(fileName)) {
        results.Cell(columns.Ref, row).SetAsString(QStringLiteral("True"));
        results.Cell(columns.Del, row).SetAsBoolean(false);
    }
    m_view.ImageList1.AddEmpty(ThumbnailCount(fileName));
    const TRowFile file = m_rowFiles.At(pairRow, m_view.DataGrid3.RowCount(), fileName);
    if (!file.resolution.isEmpty())
        results.Cell(columns.Res, row).SetAsString(file.resolution);
    results.Cell(columns.Priv, row).SetAsInteger(imageIndex);
    results.Cell(columns.Dest, row).SetAsString(path);
    const double size = StrToFloat(m_view.DataGrid3.Cell(m_tables.Pairs.Size, pairRow).AsString());
    results.Cell(columns.Size, row).SetAsString(SizeText(size));
    results.Cell(columns.Date, row).SetAsString(DateTimeToStr(file.created));
    results.Cell(columns.Group, row).SetAsFloat(group);
    m_files.push_back(std::move(fileName));
}

// Where each file's pictures go in the image list: after those of the files before it.
std::vector<int> FirstPictures(const std::vector<QByteArray>& files)
{
    std::vector<int> first;
    first.reserve(files.size());
    int next = 0;
    for (const QByteArray& file : files) {
        first.push_back(next);
        next += ThumbnailCount(file);
    }
    return first;
}

// The row whose Priv is the value: row `priv` until the user sorts the results; -1 if none.
int RowWithPriv(TDataGrid& results, int privColumn, int priv)
{
    if (priv < results.RowCount() && results.Cell(privColumn, priv).AsInteger() == priv)
        return priv;
    for (int row = 0; row < results.RowCount(); ++row)
        if (results.Cell(privColumn, row).AsInteger() == priv)
            return row;
    return -1;
}

// The pictures of one file into their places, and the Res its decoding measured where that
// differs from the header's. The row that shows picture k is the row whose Priv is k.
void PlaceThumbnails(const TSearchView& view, const TSearchTables& tables, int firstPicture,
                     const TThumbnailFill::TArrived& arrived)
{
    TDataGrid& results = view.DataGrid1;
    const int priv = tables.Results.Priv;
    if (const int row = RowWithPriv(results, priv, arrived.index); row >= 0) {
        TCell& res = results.Cell(tables.Results.Res, row);
        if (res.AsString() != arrived.result.resolution)
            res.SetAsString(arrived.result.resolution);
    }
    int picture = firstPicture;
    for (const QImage& thumbnail : arrived.result.thumbnails) {
        view.ImageList1.Put(picture, thumbnail);
        // After a sort the row is elsewhere: the whole grid is repainted rather than sought.
        if (picture < results.RowCount() && results.Cell(priv, picture).AsInteger() == picture)
            results.InvalidateRow(picture);
        else
            results.InvalidateGrid();
        ++picture;
    }
}

// The thumbnails of every row, decoded on all cores, the rows on screen first. Returns false
// when a stop request ended it: the pictures placed so far stay, the others stay empty.
bool FillThumbnails(const TSearchView& view, const TSearchTables& tables,
                    std::vector<QByteArray> files)
{
    view.Report(TSearchPhase::Thumbnails);
    const std::vector<int> firstPictures = FirstPictures(files);
    TDataGrid& results = view.DataGrid1;
    TThumbnailFill::TDecode decode = view.ThumbnailMaker;
    if (!decode)
        decode = [placeholder = view.Image1.Picture()](const QByteArray& path) {
            return MakeThumbnail(path, placeholder);
        };
    TThumbnailFill fill(std::move(files), std::move(decode), SameThumbnailFiles,
                        TThumbnailFill::AllCores());
    int placed = 0;
    while (!fill.Done()) {
        fill.Prefer(results.TopRow(), results.TopRow() + results.RowsPerPage());
        for (const TThumbnailFill::TArrived& arrived : fill.Take(kThumbnailWaitMilliseconds)) {
            PlaceThumbnails(view, tables, firstPictures[size_t(arrived.index)], arrived);
            view.ProgressBar1.SetPosition(placed++);
        }
        HandleMessages(view);
        if (IsIdle(view.StopFlag))
            return false;
    }
    return true;
}

void MarkAllButKeepers(const TSearchView& view, const TSearchTables& tables) noexcept
{
    try {
        ApplyKeepRule(view.DataGrid1, tables.Results, TKeepRule::Oldest);
    } catch (...) {
        // The marks stay as they are; the deletion's own guard still keeps one copy of each.
    }
}

} // namespace

bool MakeResultRows(const TSearchView& view, const TSearchTables& tables,
                    const std::vector<int>& groups, const TReferenceFolders& references)
{
    TDataGrid& pairs = view.DataGrid3;
    if (pairs.RowCount() > 0)
        view.ProgressBar1.SetMax(pairs.RowCount() - 2);
    std::vector<QByteArray> files;
    {
        TResultRowMaker maker(view, tables, references);
        const auto keepers = qScopeGuard([&] { MarkAllButKeepers(view, tables); });
        int imageCounter = 0;
        for (int s = 0; s < pairs.RowCount(); ++s) {
            view.ProgressBar1.SetPosition(s);
            if (IsIdle(view.StopFlag))
                return false;
            ShowProgress(view, pairs.Cell(tables.Pairs.Path, s).AsString());
            HandleMessages(view);
            ++imageCounter;
            maker.Make(s, imageCounter - 1, s < int(groups.size()) ? groups[size_t(s)] : 0);
        }
        files = maker.TakeFiles();
    }
    return FillThumbnails(view, tables, std::move(files));
}
