#pragma once

#include <cstddef>
#include <cstdint>

// Where the three-pass overwrite writes. The real target is an open file; tests record the
// writes instead, so the plan for any length can be checked without writing gigabytes.
class TOverwriteTarget
{
public:
    virtual ~TOverwriteTarget() = default;

    // The current length in bytes, read at the start of every pass.
    virtual int64_t Length() = 0;
    virtual void Write(int64_t offset, const char* data, size_t count) = 0;
    // Makes the pass so far reach the disk before the next one begins.
    virtual void Flush() = 0;
};

// The block written again and again over a file, drawn anew for every pass.
inline constexpr size_t OverwriteBlockSize = 4096;

// Three passes over the whole target: each fills the block with draws below 256 from the
// program-wide generator, writes it from offset 0 block after block (the last one cut to what
// remains), then flushes.
void OverwriteThreeTimes(TOverwriteTarget& target);
