#include "platform/Overwrite.h"

#include "platform/Random.h"

#include <algorithm>
#include <array>

void OverwriteThreeTimes(TOverwriteTarget& target)
{
    for (int pass = 0; pass < 3; ++pass) {
        std::array<char, OverwriteBlockSize> block;
        for (char& byte : block)
            byte = static_cast<char>(Rng::Random(256));
        // The length is 64 bits wide: a file of 2 GiB or more is overwritten whole too.
        const int64_t length = target.Length();
        for (int64_t offset = 0; offset < length;) {
            const auto count =
                static_cast<size_t>(std::min<int64_t>(length - offset, OverwriteBlockSize));
            target.Write(offset, block.data(), count);
            offset += static_cast<int64_t>(count);
        }
        target.Flush();
    }
}
