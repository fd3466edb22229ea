#pragma once

#include "search/CandidateFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// What comparing two candidates found. A changed file (see TCandidateReader) is named, so that
// the caller can keep it from separating files that are still identical.
enum class TComparison { Identical, Different, FirstChanged, SecondChanged };

// One of the two block buffers of the calling thread (which is 0 or 1), BlockSize bytes, kept
// for the thread's life: allocating 64 KiB for each file made malloc consolidate its free lists
// every time. A reader holds a block in them only from its read to its use, with no call back
// between, so a comparison run from the message loop during another one does it no harm.
char* ThreadBlockBuffer(int which);

// Compares candidate files byte by byte with its thread's two block buffers, so making one costs
// nothing.
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
    std::function<void()> m_onProgress;
};
