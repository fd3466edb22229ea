#include "search/ContentCompare.h"

#include <cstring>
#include <memory>

char* ThreadBlockBuffer(int which)
{
    constexpr size_t size = TContentComparer::BlockSize;
    thread_local const std::unique_ptr<char[]> buffers[2] = {
        std::make_unique_for_overwrite<char[]>(size), std::make_unique_for_overwrite<char[]>(size)};
    return buffers[which].get();
}

TContentComparer::TContentComparer(std::function<void()> onProgress, TFileSystem& files)
    : m_files(files), m_onProgress(std::move(onProgress))
{}

TComparison TContentComparer::Compare(const TCandidateFile& first, const TCandidateFile& second)
{
    if (first.size != second.size)
        return TComparison::Different;
    TCandidateReader a(first, m_files);
    if (a.Changed())
        return TComparison::FirstChanged;
    TCandidateReader b(second, m_files);
    if (b.Changed())
        return TComparison::SecondChanged;
    if (a.Identity() == b.Identity())
        return TComparison::Different;
    char* const firstBlock = ThreadBlockBuffer(0);
    char* const secondBlock = ThreadBlockBuffer(1);
    int64_t sinceProgress = 0;
    while (!a.AtEnd()) {
        const int64_t count = a.Read(firstBlock, BlockSize);
        if (count < 0)
            return TComparison::FirstChanged;
        if (b.Read(secondBlock, BlockSize) != count)
            return TComparison::SecondChanged;
        if (std::memcmp(firstBlock, secondBlock, size_t(count)) != 0)
            return TComparison::Different;
        sinceProgress += count;
        if (sinceProgress >= ProgressInterval && m_onProgress) {
            sinceProgress = 0;
            m_onProgress();
        }
    }
    if (!a.StillAsMeasured())
        return TComparison::FirstChanged;
    if (!b.StillAsMeasured())
        return TComparison::SecondChanged;
    return TComparison::Identical;
}
