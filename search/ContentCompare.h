#pragma once

#include <QByteArray>
#include <cstddef>
#include <memory>

// Compares files byte by byte with two 64 KiB buffers that it keeps for all its comparisons.
class TContentComparer
{
public:
    static constexpr size_t BlockSize = 64 * 1024;

    TContentComparer();

    // True when the two paths hold the same bytes: the sizes are compared first, then block
    // after block up to the first difference (two empty files are identical). A file that cannot
    // be opened or read makes the pair different, and so does one file reached by two paths
    // (a hard link, or a folder seen twice through a symbolic link): removing "the copy" would
    // remove the only one.
    bool SameFileContent(const QByteArray& first, const QByteArray& second);

private:
    std::unique_ptr<char[]> m_first;
    std::unique_ptr<char[]> m_second;
};
