#include "search/CandidateList.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "platform/SysUtils.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"

#include <QLabel>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <unordered_set>

bool IsCandidate(const QByteArray& path, double size, const TTrashFolders& trash)
{
    return size > 100 && !path.contains("RECYCLER") && !trash.Contains(path);
}

namespace {

// A found file as measured: its size (-1 when it cannot be opened) and what it is.
struct TMeasuredFile
{
    double size = -1.0;
    TFileIdentity identity;
};

// How many files are measured together, between two turns of the per-file work.
constexpr int kMeasureBatch = 256;

// Measures files of the list ahead of the per-file work, on all cores: opening and closing a file
// is most of the cost of measuring it, and no file depends on another. Each file is still
// opened once.
class TMeasureAhead
{
public:
    explicit TMeasureAhead(const TMemoLines& lines) : m_lines(lines)
    {
        m_pool.setMaxThreadCount(QThread::idealThreadCount());
    }

    // The measure of line s, from the batch measured with it; when the list was changed since
    // (a new search begun from the message loop), the batch is measured again.
    TMeasuredFile At(int s)
    {
        if (m_generation != m_lines.Generation() || s < m_first ||
            s >= m_first + int(m_batch.size()))
            MeasureFrom(s);
        return m_batch[size_t(s - m_first)];
    }

private:
    static TMeasuredFile Measure(const QByteArray& path)
    {
        const TFile file(path);
        return file.IsOpen() ? TMeasuredFile{double(file.Size()), file.Identity()}
                             : TMeasuredFile{};
    }

    void MeasureFrom(int first)
    {
        m_generation = m_lines.Generation();
        m_first = first;
        m_batch.assign(size_t(std::min(kMeasureBatch, m_lines.Count() - first)), {});
        QtConcurrent::blockingMap(&m_pool, m_batch, [this](TMeasuredFile& measured) {
            const auto s = int(&measured - m_batch.data()) + m_first;
            measured = Measure(m_lines.Line(s));
        });
    }

    const TMemoLines& m_lines;
    QThreadPool m_pool;
    quint64 m_generation = 0;
    int m_first = 0;
    std::vector<TMeasuredFile> m_batch;
};

} // namespace

void BuildCandidateList(const TSearchView& view, const TSearchTables& tables)
{
    const TTrashFolders trash;
    TDataGrid& candidates = view.DataGrid2;
    const TMemoLines& lines = view.Memo1.Lines();
    TMeasureAhead measures(lines);
    // One file reached by several paths (folder links, hard links) is one candidate, at the
    // first of its paths: every row then names a distinct file.
    std::unordered_set<TFileIdentity> seen;
    for (int s = 0; s < lines.Count(); ++s) {
        view.ProgressBar1.SetPosition(s);
        const QByteArray path = lines.Line(s);
        const TMeasuredFile file = measures.At(s);
        const QString pathText = FileNameToText(path);
        view.Label3.setText(pathText);
        if (IsCandidate(path, file.size, trash) && seen.insert(file.identity).second) {
            const int row = candidates.AddRow();
            candidates.Cell(tables.Candidates.Path, row).SetAsString(pathText);
            candidates.Cell(tables.Candidates.Size, row).SetAsString(FloatToStr(file.size));
        }
        HandleMessages(view);
    }
}

void SortCandidates(const TSearchView& view, const TSearchTables& tables)
{
    view.DataGrid2.Columns().Items(tables.Candidates.Size).SetSorted(true);
}
