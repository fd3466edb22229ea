#pragma once

#include <QString>
#include <cstdint>

// A file size for the results grid: bytes up to 1024, then kilobytes up to 1048576, then
// megabytes, each number in the general format with the locale's decimal separator
// (1500 gives "1.46484375 KB").
QString SizeText(double size);

// The bytes a size text stands for, as SizeText wrote it; 0 for a text it cannot read.
int64_t SizeTextBytes(const QString& text);
