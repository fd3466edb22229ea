#include "search/ContentCompare.h"

#include <cstring>

TContentComparer::TContentComparer(std::function<void()> onProgress, TFileSystem& files)
    : m_files(files), m_first(std::make_unique_for_overwrite<char[]>(BlockSize)),
      m_second(std::make_unique_for_overwrite<char[]>(BlockSize)),
      m_onProgress(std::move(onProgress))
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
    int64_t sinceProgress = 0;
    while (!a.AtEnd()) {
        const int64_t count = a.Read(m_first.get(), BlockSize);
        if (count < 0)
            return TComparison::FirstChanged;
        if (b.Read(m_second.get(), BlockSize) != count)
            return TComparison::SecondChanged;
        if (std::memcmp(m_first.get(), m_second.get(), size_t(count)) != 0)
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
