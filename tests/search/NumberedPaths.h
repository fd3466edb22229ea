#pragma once

#include <QByteArray>
#include <vector>

// "0", "1", ... as paths: thumbnail tests whose decoders make a picture from the number.
inline std::vector<QByteArray> NumberedPaths(int count)
{
    std::vector<QByteArray> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(QByteArray::number(i));
    return paths;
}
