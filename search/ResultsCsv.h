#pragma once

#include <QByteArray>
#include <QString>

class TDataGrid;
struct TResultColumns;

// The results as CSV (RFC 4180: CRLF line ends, a field with a comma, quote, CR or LF quoted,
// quotes doubled): a header line, then one line per row in row order with its group, path, size
// in bytes, width and height (empty when unknown), date in ISO 8601, marked and keeper ("true" or
// "false"). A path is written as the file name's own bytes, so a name that is not UTF-8 comes
// back exactly as it is on the disk. The keeper is the copy KeeperOfEachRow chooses.
QByteArray ResultsCsv(TDataGrid& grid, const TResultColumns& columns);

// Writes the bytes under the file name all at once: to a new file beside it that then takes its
// place, so a failure never leaves a half-written file there. Raises an Exception with the
// system's text when it cannot.
void SaveFileAtomically(const QString& fileName, const QByteArray& bytes);
