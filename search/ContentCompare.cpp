#include "search/ContentCompare.h"

#include "platform/FileSystem.h"

#include <cstring>

TContentComparer::TContentComparer()
    : m_first(std::make_unique_for_overwrite<char[]>(BlockSize)),
      m_second(std::make_unique_for_overwrite<char[]>(BlockSize))
{}

bool TContentComparer::SameFileContent(const QByteArray& first, const QByteArray& second)
{
    TFile a(first);
    if (!a.IsOpen())
        return false;
    TFile b(second);
    if (!b.IsOpen() || a.Size() != b.Size() || a.Identity() == b.Identity())
        return false;
    // Until both end together; a file that changes size meanwhile ends the blocks unevenly.
    for (;;) {
        const int64_t count = a.Read(m_first.get(), BlockSize);
        if (count < 0 || b.Read(m_second.get(), BlockSize) != count ||
            std::memcmp(m_first.get(), m_second.get(), static_cast<size_t>(count)) != 0)
            return false;
        if (count < static_cast<int64_t>(BlockSize))
            return true;
    }
}
