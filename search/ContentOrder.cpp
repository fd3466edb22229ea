#include "search/ContentOrder.h"

#include "platform/FileSystem.h"
#include "search/ContentCompare.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <xxhash.h>

namespace {

constexpr size_t kBlockSize = TContentComparer::BlockSize;

struct TStateDeleter
{
    void operator()(XXH3_state_t* state) const noexcept { XXH3_freeState(state); }
};

struct TFirstBlock
{
    uint64_t digest = 0;
    bool wholeFile = false;
};

// What the reading threads share with the thread that waits for them.
struct TReading
{
    std::atomic<int64_t> bytes = 0;
    std::atomic<bool> stopping = false;
};

// The digest of the first block, which is the whole file's digest for a file that fits in it.
// Nothing for a file that cannot be read or is no longer as measured.
std::optional<TFirstBlock> FirstBlockDigest(const TCandidateFile& candidate, TReading& reading)
{
    char* const buffer = ThreadBlockBuffer(0);
    TCandidateReader file(candidate, HostFileSystem());
    const int64_t count = file.Read(buffer, kBlockSize);
    if (count < 0)
        return std::nullopt;
    reading.bytes += count;
    const bool wholeFile = file.AtEnd();
    if (wholeFile && !file.StillAsMeasured())
        return std::nullopt;
    return TFirstBlock{XXH3_64bits(buffer, size_t(count)), wholeFile};
}

// The digest of the file up to its measured size; nothing for a file that cannot be read or is
// no longer as measured, and nothing once the reading is stopping.
std::optional<uint64_t> WholeFileDigest(const TCandidateFile& candidate, TReading& reading)
{
    char* const buffer = ThreadBlockBuffer(0);
    const std::unique_ptr<XXH3_state_t, TStateDeleter> state(XXH3_createState());
    TCandidateReader file(candidate, HostFileSystem());
    if (file.Changed() || !state || XXH3_64bits_reset(state.get()) != XXH_OK)
        return std::nullopt;
    while (!file.AtEnd()) {
        const int64_t count = file.Read(buffer, kBlockSize);
        if (count < 0 || reading.stopping)
            return std::nullopt;
        reading.bytes += count;
        XXH3_64bits_update(state.get(), buffer, size_t(count));
    }
    if (!file.StillAsMeasured())
        return std::nullopt;
    return XXH3_64bits_digest(state.get());
}

// Reads every file with the function on two threads, while the caller's thread calls onRead
// once for each file read and once for every ProgressInterval bytes read, so the window stays
// responsive also during one huge file. If onRead raises, the reading stops before the error
// goes on.
template <typename Result>
std::vector<Result> ReadFiles(const std::vector<TCandidateFile>& files,
                              Result (*read)(const TCandidateFile&, TReading&),
                              const TReadProgress& onRead)
{
    std::vector<Result> results(files.size());
    std::vector<size_t> indexes(files.size());
    std::iota(indexes.begin(), indexes.end(), size_t(0));
    std::atomic<size_t> done = 0;
    TReading reading;
    QThreadPool pool;
    pool.setMaxThreadCount(2);
    QFuture<void> future = QtConcurrent::map(&pool, indexes, [&](size_t i) {
        if (reading.stopping)
            return;
        results[i] = read(files[i], reading);
        ++done;
    });
    size_t told = 0;
    int64_t bytesTold = 0;
    try {
        for (bool finished = false; !finished;) {
            finished = pool.waitForDone(5);
            if (!onRead)
                continue;
            for (const size_t now = done; told < now;) {
                ++told;
                onRead(TReadPoint::FileEnd, {told, files.size(), &files[told - 1]});
            }
            if (reading.bytes - bytesTold >= TContentComparer::ProgressInterval) {
                bytesTold = reading.bytes;
                onRead(TReadPoint::InsideFile,
                       {told, files.size(), &files[std::min(told, files.size() - 1)]});
            }
        }
    } catch (...) {
        reading.stopping = true;
        future.cancel();
        pool.waitForDone();
        throw;
    }
    return results;
}

// A run of three or more candidates of one size text: where it starts in the candidate list and
// how long it is.
struct TRun
{
    size_t begin;
    size_t size;
};

std::vector<TRun> RunsOfThreeOrMore(const std::vector<TCandidateFile>& candidates)
{
    std::vector<TRun> runs;
    size_t begin = 0;
    while (begin < candidates.size()) {
        size_t end = begin + 1;
        while (end < candidates.size() && candidates[end].sizeText == candidates[begin].sizeText)
            ++end;
        if (end - begin >= 3)
            runs.push_back({begin, end - begin});
        begin = end;
    }
    return runs;
}

// The digests of the candidates in runs: first blocks of all runs' files, then the whole files
// whose first blocks meet another's in their run.
std::vector<TContentDigest> ContentDigests(const std::vector<TCandidateFile>& candidates,
                                           const std::vector<TRun>& runs,
                                           const TReadProgress& onRead)
{
    std::vector<size_t> inRuns;
    for (const TRun& run : runs)
        for (size_t i = run.begin; i < run.begin + run.size; ++i)
            inRuns.push_back(i);
    std::vector<TCandidateFile> files;
    files.reserve(inRuns.size());
    for (size_t i : inRuns)
        files.push_back(candidates[i]);
    const std::vector<std::optional<TFirstBlock>> firstBlocks =
        ReadFiles(files, &FirstBlockDigest, onRead);

    std::vector<TContentDigest> digests(candidates.size());
    std::vector<size_t> wholeNeeded;
    size_t at = 0;
    for (const TRun& run : runs) {
        std::unordered_map<uint64_t, int> sharing;
        for (size_t k = 0; k < run.size; ++k)
            if (firstBlocks[at + k])
                ++sharing[firstBlocks[at + k]->digest];
        for (size_t k = 0; k < run.size; ++k, ++at) {
            const auto& first = firstBlocks[at];
            if (!first)
                continue;
            TContentDigest& digest = digests[inRuns[at]];
            digest.FirstBlock = first->digest;
            if (first->wholeFile)
                digest.Whole = first->digest;
            else if (sharing[first->digest] >= 2)
                wholeNeeded.push_back(inRuns[at]);
        }
    }
    files.clear();
    for (size_t i : wholeNeeded)
        files.push_back(candidates[i]);
    const std::vector<std::optional<uint64_t>> whole = ReadFiles(files, &WholeFileDigest, onRead);
    for (size_t k = 0; k < wholeNeeded.size(); ++k)
        digests[wholeNeeded[k]].Whole = whole[k];
    return digests;
}

// Moves every file of the run up to the first one with the same content.
void GatherTwins(int* run, size_t size, const TContentDigest* digests)
{
    std::vector<size_t> groupOf(size);
    std::unordered_map<uint64_t, size_t> firstGroup;
    size_t groups = 0;
    for (size_t i = 0; i < size; ++i) {
        if (!digests[i].Whole) {
            groupOf[i] = groups++;
            continue;
        }
        const auto [entry, isNew] = firstGroup.try_emplace(*digests[i].Whole, groups);
        groupOf[i] = entry->second;
        if (isNew)
            ++groups;
    }
    std::vector<size_t> places(size);
    std::iota(places.begin(), places.end(), size_t(0));
    std::stable_sort(places.begin(), places.end(),
                     [&](size_t a, size_t b) { return groupOf[a] < groupOf[b]; });
    const std::vector<int> before(run, run + size);
    for (size_t i = 0; i < size; ++i)
        run[i] = before[places[i]];
}

} // namespace

bool TContentDigest::Differs(const TContentDigest& other) const
{
    return (FirstBlock && other.FirstBlock && *FirstBlock != *other.FirstBlock) ||
           (Whole && other.Whole && *Whole != *other.Whole);
}

TContentOrder ContentOrder(const std::vector<TCandidateFile>& candidates,
                           const TReadProgress& onRead)
{
    std::vector<int> order(candidates.size());
    std::iota(order.begin(), order.end(), 0);
    const std::vector<TRun> runs = RunsOfThreeOrMore(candidates);
    std::vector<TContentDigest> digests = ContentDigests(candidates, runs, onRead);
    for (const TRun& run : runs)
        GatherTwins(order.data() + run.begin, run.size, digests.data() + run.begin);
    return {std::move(order), std::move(digests)};
}
