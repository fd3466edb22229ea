#include "search/ResultsCsv.h"

#include "grid/GxGrid.h"
#include "platform/Exception.h"
#include "platform/FileNames.h"
#include "platform/SysUtils.h"
#include "search/ResultColumns.h"
#include "search/ResultMarks.h"
#include "search/SizeText.h"

#include <QDateTime>
#include <QSaveFile>
#include <cmath>

namespace {

QByteArray Field(const QByteArray& value)
{
    if (!value.contains(',') && !value.contains('"') && !value.contains('\r') &&
        !value.contains('\n'))
        return value;
    QByteArray quoted = value;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QByteArray Flag(bool value)
{
    return value ? "true" : "false";
}

// Days since 30 December 1899 as a local date and time, to the second.
QByteArray IsoDate(double value)
{
    const QDateTime start(QDate(1899, 12, 30), QTime(0, 0));
    return start.addSecs(std::llround(value * 86400)).toString(Qt::ISODate).toLatin1();
}

// "1024 X 768" gives its width and height; anything else two empty fields.
std::pair<QByteArray, QByteArray> Dimensions(const QString& resolution)
{
    const QStringList parts = resolution.split(QStringLiteral(" X "));
    if (parts.size() != 2)
        return {};
    return {parts[0].toLatin1(), parts[1].toLatin1()};
}

} // namespace

QByteArray ResultsCsv(TDataGrid& grid, const TResultColumns& columns)
{
    const std::vector<TTwinRow> rows = ReadTwinRows(grid, columns);
    const std::vector<int> keepers = KeeperOfEachRow(rows);
    QByteArray csv = "group,path,size,width,height,date,marked,keeper\r\n";
    for (int row = 0; row < int(rows.size()); ++row) {
        const TTwinRow& facts = rows[size_t(row)];
        const auto [width, height] = Dimensions(grid.Cell(columns.Res, row).AsString());
        const QList<QByteArray> fields = {
            QByteArray::number(facts.Group),
            Field(facts.Path),
            QByteArray::number(SizeTextBytes(grid.Cell(columns.Size, row).AsString())),
            width,
            height,
            IsoDate(facts.Date),
            Flag(facts.Marked),
            Flag(keepers[size_t(row)] == row)};
        csv += fields.join(',') + "\r\n";
    }
    return csv;
}

void SaveFileAtomically(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Exception(
            QStringLiteral("Cannot save the list to \"%1\". %2").arg(fileName, file.errorString()));
}
