#include "search/ContentOrder.h"

#include "platform/FileSystem.h"
#include "search/ContentCompare.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <unordered_map>
#include <xxhash.h>

namespace {

constexpr size_t kBlockSize = TContentComparer::BlockSize;

struct TStateDeleter
{
    void operator()(XXH3_state_t* state) const noexcept { XXH3_freeState(state); }
};

// Digests of file contents, read with one reused buffer.
class TDigester
{
public:
    explicit TDigester(const std::function<void()>& onFileRead)
        : m_buffer(std::make_unique_for_overwrite<char[]>(kBlockSize)), m_state(XXH3_createState()),
          m_onFileRead(onFileRead)
    {}

    struct TFirstBlock
    {
        uint64_t digest = 0;
        bool wholeFile = false;
    };

    // The digest of the first block, which is the whole file's digest for a file that fits in
    // it. Nothing for a file that cannot be read.
    std::optional<TFirstBlock> FirstBlock(const QByteArray& path)
    {
        TFile file(path);
        const int64_t count = file.Read(m_buffer.get(), kBlockSize);
        Notify();
        if (count < 0)
            return std::nullopt;
        return TFirstBlock{XXH3_64bits(m_buffer.get(), static_cast<size_t>(count)),
                           count < static_cast<int64_t>(kBlockSize) || count == file.Size()};
    }

    // The digest of the whole file; nothing for a file that cannot be read.
    std::optional<uint64_t> WholeFile(const QByteArray& path)
    {
        TFile file(path);
        std::optional<uint64_t> digest;
        if (file.IsOpen() && m_state && XXH3_64bits_reset(m_state.get()) == XXH_OK)
            digest = Stream(file);
        Notify();
        return digest;
    }

private:
    std::optional<uint64_t> Stream(TFile& file)
    {
        for (;;) {
            const int64_t count = file.Read(m_buffer.get(), kBlockSize);
            if (count < 0)
                return std::nullopt;
            XXH3_64bits_update(m_state.get(), m_buffer.get(), static_cast<size_t>(count));
            if (count < static_cast<int64_t>(kBlockSize))
                return XXH3_64bits_digest(m_state.get());
        }
    }

    void Notify() const
    {
        if (m_onFileRead)
            m_onFileRead();
    }

    std::unique_ptr<char[]> m_buffer;
    std::unique_ptr<XXH3_state_t, TStateDeleter> m_state;
    const std::function<void()>& m_onFileRead;
};

// The whole-file digest of every file of the run that may have a twin in it.
std::vector<std::optional<uint64_t>> ContentDigests(std::span<const int> run,
                                                    const std::vector<TCandidateFile>& candidates,
                                                    TDigester& digester)
{
    std::vector<std::optional<TDigester::TFirstBlock>> firstBlocks;
    firstBlocks.reserve(run.size());
    std::unordered_map<uint64_t, int> sharing;
    for (int index : run) {
        firstBlocks.push_back(digester.FirstBlock(candidates[size_t(index)].path));
        if (firstBlocks.back())
            ++sharing[firstBlocks.back()->digest];
    }
    std::vector<std::optional<uint64_t>> digests(run.size());
    for (size_t i = 0; i < run.size(); ++i) {
        const auto& first = firstBlocks[i];
        if (!first || sharing[first->digest] < 2)
            continue;
        digests[i] =
            first->wholeFile ? first->digest : digester.WholeFile(candidates[size_t(run[i])].path);
    }
    return digests;
}

// Moves every file of the run up to the first one with the same content.
void GatherTwins(std::span<int> run, const std::vector<TCandidateFile>& candidates,
                 TDigester& digester)
{
    const std::vector<std::optional<uint64_t>> digests = ContentDigests(run, candidates, digester);
    std::vector<size_t> groupOf(run.size());
    std::unordered_map<uint64_t, size_t> firstGroup;
    size_t groups = 0;
    for (size_t i = 0; i < run.size(); ++i) {
        if (!digests[i]) {
            groupOf[i] = groups++;
            continue;
        }
        const auto [entry, isNew] = firstGroup.try_emplace(*digests[i], groups);
        groupOf[i] = entry->second;
        if (isNew)
            ++groups;
    }
    std::vector<size_t> places(run.size());
    std::iota(places.begin(), places.end(), size_t(0));
    std::stable_sort(places.begin(), places.end(),
                     [&](size_t a, size_t b) { return groupOf[a] < groupOf[b]; });
    const std::vector<int> before(run.begin(), run.end());
    for (size_t i = 0; i < run.size(); ++i)
        run[i] = before[places[i]];
}

} // namespace

std::vector<int> ContentOrder(const std::vector<TCandidateFile>& candidates,
                              const std::function<void()>& onFileRead)
{
    std::vector<int> order(candidates.size());
    std::iota(order.begin(), order.end(), 0);
    TDigester digester(onFileRead);
    size_t begin = 0;
    while (begin < candidates.size()) {
        size_t end = begin + 1;
        while (end < candidates.size() && candidates[end].sizeText == candidates[begin].sizeText)
            ++end;
        if (end - begin >= 3)
            GatherTwins(std::span<int>(order).subspan(begin, end - begin), candidates, digester);
        begin = end;
    }
    return order;
}
