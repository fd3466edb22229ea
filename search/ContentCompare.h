#pragma once

#include "search/CandidateFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// What comparing two candidates found. A changed file (see TCandidateReader) is named, so that
// the caller can keep it from separating files that are still identical.
enum class TComparison { Identical, Different, FirstChanged, SecondChanged };

// Compares candidate files byte by byte with two 64 KiB buffers that it keeps for all its
// comparisons.
class TContentComparer
{
public:
    static constexpr size_t BlockSize = 64 * 1024;
    // How many bytes of one pair are read between two calls of the progress function.
    static constexpr int64_t ProgressInterval = int64_t(64) << 20;

    // onProgress, when given, is called after every ProgressInterval bytes of a long pair, so
    // that the window stays usable while multi-gigabyte files are read. It may raise to end the
    // comparison. The files are opened through files.
    explicit TContentComparer(std::function<void()> onProgress = {},
                              TFileSystem& files = HostFileSystem());

    // The measured sizes are compared first, then the files block after block up to the first
    // difference and never past the measured size (two empty files are identical). A file that
    // cannot be opened or read, or no longer has its measured size, is changed. One file reached
    // by two paths (a hard link) is different from itself: removing "the copy" would remove
    // the only one.
    TComparison Compare(const TCandidateFile& first, const TCandidateFile& second);

private:
    TFileSystem& m_files;
    std::unique_ptr<char[]> m_first;
    std::unique_ptr<char[]> m_second;
    std::function<void()> m_onProgress;
};
