#include "search/KeepCopies.h"

#include "platform/FileEntry.h"
#include "search/ContentCompare.h"
#include "search/ContentOrder.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

constexpr int kNone = -1;

// A file that names of the results reach, with the first row that reaches it.
struct TReachedFile
{
    TFileIdentity identity;
    int64_t size;
    int firstRow;
};

// The distinct files the rows reach; fileOfRow holds each row's index into them, or kNone.
std::vector<TReachedFile> ReachedFiles(const std::vector<TFileEntry>& entries,
                                       std::vector<int>& fileOfRow)
{
    std::vector<TReachedFile> files;
    std::unordered_map<TFileIdentity, int> indexOf;
    fileOfRow.assign(entries.size(), kNone);
    for (size_t row = 0; row < entries.size(); ++row) {
        const TFileEntry& entry = entries[row];
        if (!entry.ReachesRegularFile)
            continue;
        const auto [found, isNew] = indexOf.try_emplace(entry.File, static_cast<int>(files.size()));
        fileOfRow[row] = found->second;
        if (isNew)
            files.push_back({entry.File, entry.Size, static_cast<int>(row)});
    }
    return files;
}

// The files worth reading, ordered by size: those of a size that some marked row has and that
// at least two files share.
std::vector<int> FilesToCompare(const std::vector<TReachedFile>& files,
                                const std::vector<int>& fileOfRow,
                                const std::vector<TResultFile>& rows)
{
    std::unordered_set<int64_t> markedSizes;
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row].Marked && fileOfRow[row] != kNone)
            markedSizes.insert(files[fileOfRow[row]].size);
    std::vector<int> chosen;
    for (int i = 0; i < static_cast<int>(files.size()); ++i)
        if (markedSizes.count(files[i].size) > 0)
            chosen.push_back(i);
    std::stable_sort(chosen.begin(), chosen.end(),
                     [&](int a, int b) { return files[a].size < files[b].size; });
    return chosen;
}

// The content group of every file (kNone for a file alone with its bytes); groupCount receives
// the number of groups. Equal sizes are ordered so that identical files become neighbours, then
// neighbours are compared byte by byte, as the search does.
std::vector<int> ContentGroups(const std::vector<TReachedFile>& files,
                               const std::vector<int>& fileOfRow,
                               const std::vector<TResultFile>& rows, int& groupCount,
                               const std::function<void()>& onFileRead)
{
    const std::vector<int> chosen = FilesToCompare(files, fileOfRow, rows);
    std::vector<TCandidateFile> candidates;
    candidates.reserve(chosen.size());
    for (int i : chosen)
        candidates.push_back(
            {rows[files[i].firstRow].Path, QString::number(files[i].size), files[i].size});
    const auto onRead = [&](TReadPoint, const TReadCount&) {
        if (onFileRead)
            onFileRead();
    };
    const std::vector<int> order = ContentOrder(candidates, onRead).Order;

    std::vector<int> groupOf(files.size(), kNone);
    TContentComparer comparer(onFileRead);
    // A file that changed since it was looked up is skipped, so that it never parts the files
    // on either side of it that are still identical.
    size_t last = 0;
    for (size_t k = 1; k < order.size(); ++k) {
        const TComparison result = comparer.Compare(candidates[order[last]], candidates[order[k]]);
        if (onFileRead)
            onFileRead();
        if (result == TComparison::SecondChanged)
            continue;
        const size_t before = std::exchange(last, k);
        if (result != TComparison::Identical)
            continue;
        const int previous = chosen[order[before]];
        const int current = chosen[order[k]];
        if (groupOf[previous] == kNone)
            groupOf[previous] = groupCount++;
        groupOf[current] = groupOf[previous];
    }
    return groupOf;
}

// The row whose entry stays in each group: the first unmarked regular entry, else the first
// marked one. A link is never the copy that stays: its target may be the next to go.
std::vector<int> KeptRows(const std::vector<TFileEntry>& entries,
                          const std::vector<int>& groupOfRow, const std::vector<TResultFile>& rows,
                          size_t groupCount)
{
    std::vector<int> kept(groupCount, kNone);
    for (bool marked : {false, true})
        for (size_t row = 0; row < rows.size(); ++row) {
            const int group = groupOfRow[row];
            if (group != kNone && rows[row].Marked == marked && !entries[row].IsLink &&
                kept[group] == kNone)
                kept[group] = static_cast<int>(row);
        }
    return kept;
}

using TEntryKey = std::tuple<uint64_t, uint64_t, QByteArray>;

TEntryKey EntryKey(const TFileEntry& entry)
{
    return {entry.Folder.device, entry.Folder.inode, entry.Name};
}

// The rows with the marks of reference files cleared: no mark, set by hand or by a rule or
// forced, may remove a file of a reference folder.
std::vector<TResultFile> WithoutReferenceMarks(std::vector<TResultFile> rows)
{
    for (TResultFile& row : rows)
        row.Marked = row.Marked && !row.Reference;
    return rows;
}

} // namespace

std::vector<TRemovalChoice> ChooseRemovals(const std::vector<TResultFile>& resultFiles,
                                           const std::function<void()>& onFileRead,
                                           std::vector<TFileEntry>* entriesSeen)
{
    const std::vector<TResultFile> rows = WithoutReferenceMarks(resultFiles);
    std::vector<TFileEntry> entries;
    entries.reserve(rows.size());
    for (const TResultFile& row : rows)
        entries.push_back(LookUpEntry(row.Path));
    std::vector<int> fileOfRow;
    const std::vector<TReachedFile> files = ReachedFiles(entries, fileOfRow);
    int groupCount = 0;
    const std::vector<int> groupOfFile =
        ContentGroups(files, fileOfRow, rows, groupCount, onFileRead);
    std::vector<int> groupOfRow(rows.size(), kNone);
    for (size_t row = 0; row < rows.size(); ++row)
        if (fileOfRow[row] != kNone)
            groupOfRow[row] = groupOfFile[fileOfRow[row]];
    const std::vector<int> kept =
        KeptRows(entries, groupOfRow, rows, static_cast<size_t>(groupCount));

    std::vector<TRemovalChoice> choices(rows.size(), TRemovalChoice::Untouched);
    std::set<TEntryKey> removed;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (!rows[row].Marked)
            continue;
        const TFileEntry& entry = entries[row];
        const int group = groupOfRow[row];
        if (!entry.Exists || (entry.IsLink && !entry.ReachesRegularFile)) {
            choices[row] = TRemovalChoice::Remove;
        } else if (group == kNone ||
                   (kept[group] != kNone && entry.SameEntry(entries[kept[group]]))) {
            choices[row] = TRemovalChoice::Keep;
        } else if (removed.insert(EntryKey(entry)).second) {
            choices[row] = TRemovalChoice::Remove;
        }
    }
    if (entriesSeen)
        *entriesSeen = std::move(entries);
    return choices;
}
