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

// The digest of the first block, which is the whole file's digest for a file that fits in it.
// Nothing for a file that cannot be read.
std::optional<TFirstBlock> FirstBlockDigest(const QByteArray& path)
{
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
    TFile file(path);
    const int64_t count = file.Read(buffer.get(), kBlockSize);
    if (count < 0)
        return std::nullopt;
    return TFirstBlock{XXH3_64bits(buffer.get(), static_cast<size_t>(count)),
                       count < static_cast<int64_t>(kBlockSize) || count == file.Size()};
}

// The digest of the whole file; nothing for a file that cannot be read.
std::optional<uint64_t> WholeFileDigest(const QByteArray& path)
{
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
    const std::unique_ptr<XXH3_state_t, TStateDeleter> state(XXH3_createState());
    TFile file(path);
    if (!file.IsOpen() || !state || XXH3_64bits_reset(state.get()) != XXH_OK)
        return std::nullopt;
    for (;;) {
        const int64_t count = file.Read(buffer.get(), kBlockSize);
        if (count < 0)
            return std::nullopt;
        XXH3_64bits_update(state.get(), buffer.get(), static_cast<size_t>(count));
        if (count < static_cast<int64_t>(kBlockSize))
            return XXH3_64bits_digest(state.get());
    }
}

// Reads every file with the function on two threads, while the caller's thread calls
// onFileRead once for each file read, so the window stays responsive. If onFileRead raises, the
// reading stops before the error goes on.
template <typename Result>
std::vector<Result> ReadFiles(const std::vector<QByteArray>& paths,
                              Result (*read)(const QByteArray&),
                              const std::function<void()>& onFileRead)
{
    std::vector<Result> results(paths.size());
    std::vector<size_t> indexes(paths.size());
    std::iota(indexes.begin(), indexes.end(), size_t(0));
    std::atomic<size_t> done = 0;
    std::atomic<bool> stopping = false;
    QThreadPool pool;
    pool.setMaxThreadCount(2);
    QFuture<void> reading = QtConcurrent::map(&pool, indexes, [&](size_t i) {
        if (stopping)
            return;
        results[i] = read(paths[i]);
        ++done;
    });
    size_t told = 0;
    try {
        for (bool finished = false; !finished;) {
            finished = pool.waitForDone(5);
            for (const size_t now = done; told < now; ++told)
                if (onFileRead)
                    onFileRead();
        }
    } catch (...) {
        stopping = true;
        reading.cancel();
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

// The whole-file digest of every candidate that may have a twin in its run: first blocks of all
// runs' files, then the whole files whose first blocks meet another's in their run.
std::vector<std::optional<uint64_t>> ContentDigests(const std::vector<TCandidateFile>& candidates,
                                                    const std::vector<TRun>& runs,
                                                    const std::function<void()>& onFileRead)
{
    std::vector<size_t> inRuns;
    for (const TRun& run : runs)
        for (size_t i = run.begin; i < run.begin + run.size; ++i)
            inRuns.push_back(i);
    std::vector<QByteArray> paths;
    paths.reserve(inRuns.size());
    for (size_t i : inRuns)
        paths.push_back(candidates[i].path);
    const std::vector<std::optional<TFirstBlock>> firstBlocks =
        ReadFiles(paths, &FirstBlockDigest, onFileRead);

    std::vector<std::optional<uint64_t>> digests(candidates.size());
    std::vector<size_t> wholeNeeded;
    size_t at = 0;
    for (const TRun& run : runs) {
        std::unordered_map<uint64_t, int> sharing;
        for (size_t k = 0; k < run.size; ++k)
            if (firstBlocks[at + k])
                ++sharing[firstBlocks[at + k]->digest];
        for (size_t k = 0; k < run.size; ++k, ++at) {
            const auto& first = firstBlocks[at];
            if (!first || sharing[first->digest] < 2)
                continue;
            if (first->wholeFile)
                digests[inRuns[at]] = first->digest;
            else
                wholeNeeded.push_back(inRuns[at]);
        }
    }
    paths.clear();
    for (size_t i : wholeNeeded)
        paths.push_back(candidates[i].path);
    const std::vector<std::optional<uint64_t>> whole =
        ReadFiles(paths, &WholeFileDigest, onFileRead);
    for (size_t k = 0; k < wholeNeeded.size(); ++k)
        digests[wholeNeeded[k]] = whole[k];
    return digests;
}

// Moves every file of the run up to the first one with the same content.
void GatherTwins(int* run, size_t size, const std::optional<uint64_t>* digests)
{
    std::vector<size_t> groupOf(size);
    std::unordered_map<uint64_t, size_t> firstGroup;
    size_t groups = 0;
    for (size_t i = 0; i < size; ++i) {
        if (!digests[i]) {
            groupOf[i] = groups++;
            continue;
        }
        const auto [entry, isNew] = firstGroup.try_emplace(*digests[i], groups);
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

std::vector<int> ContentOrder(const std::vector<TCandidateFile>& candidates,
                              const std::function<void()>& onFileRead)
{
    std::vector<int> order(candidates.size());
    std::iota(order.begin(), order.end(), 0);
    const std::vector<TRun> runs = RunsOfThreeOrMore(candidates);
    const std::vector<std::optional<uint64_t>> digests =
        ContentDigests(candidates, runs, onFileRead);
    for (const TRun& run : runs)
        GatherTwins(order.data() + run.begin, run.size, digests.data() + run.begin);
    return order;
}
