#include "search/ResultsCsv.h"

#include "SearchViewFixture.h"
#include "platform/Exception.h"
#include "platform/FileNames.h"
#include "platform/SysUtils.h"
#include "search/SizeText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Reads RFC 4180 text back into records of fields, as a spreadsheet would.
std::vector<QList<QByteArray>> ParseCsv(const QByteArray& text)
{
    std::vector<QList<QByteArray>> records(1);
    QByteArray field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back() << std::exchange(field, {});
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.back() << std::exchange(field, {});
            records.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    records.pop_back();
    return records;
}

} // namespace

TEST(ResultsCsvTest, oddNamesComeBackByteForByteWithEveryColumn)
{
    SearchControls controls;
    TDataGrid& grid = controls.DataGrid1;
    const TResultColumns at = TResultColumns::Resolve(grid);
    const QList<QByteArray> paths = {"/p/plain.jpg", "/p/say \"cheese\".jpg", "/p/a,b.jpg",
                                     "/p/two\nlines\r.jpg", "/p/latin1 \xe9\xff.jpg"};
    for (int i = 0; i < paths.size(); ++i) {
        const int row = grid.AddRow();
        grid.Cell(at.Dest, row).SetAsString(FileNameToText(paths[i]));
        grid.Cell(at.Size, row).SetAsString(SizeText(1500.0 + i % 2));
        grid.Cell(at.Res, row).SetAsString(i == 0 ? QString() : QStringLiteral("640 X 480"));
        grid.Cell(at.Date, row).SetAsString(DateTimeToStr(EncodeDateTime(2026, 12, 8, 13, i, 0)));
        grid.Cell(at.Group, row).SetAsFloat(1 + i % 2);
        grid.Cell(at.Del, row).SetAsBoolean(i != 2);
    }
    const std::vector<QList<QByteArray>> records = ParseCsv(ResultsCsv(grid, at));
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0], (QList<QByteArray>{"group", "path", "size", "width", "height", "date",
                                             "marked", "keeper"}));
    for (int i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(i);
        const QList<QByteArray>& record = records[size_t(i + 1)];
        ASSERT_EQ(record.size(), 8);
        EXPECT_EQ(record[0], QByteArray::number(1 + i % 2));
        EXPECT_EQ(record[1], paths[i]);
        EXPECT_EQ(record[2], QByteArray::number(1500 + i % 2));
        EXPECT_EQ(record[3], i == 0 ? QByteArray() : QByteArray("640"));
        EXPECT_EQ(record[4], i == 0 ? QByteArray() : QByteArray("480"));
        EXPECT_EQ(record[5],
                  QStringLiteral("2026-12-08T13:%1:00").arg(i, 2, 10, QChar('0')).toLatin1());
        EXPECT_EQ(record[6], i != 2 ? QByteArray("true") : QByteArray("false"));
        // Group 1: rows 0, 2, 4, of which only row 2 is unmarked; group 2: rows 1 and 3, both
        // marked, so the older row 1 stays.
        EXPECT_EQ(record[7], i == 1 || i == 2 ? QByteArray("true") : QByteArray("false"));
    }
}

TEST(ResultsCsvTest, aFileThatCannotBeWrittenLeavesNothingAndSaysWhy)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("list.csv"));
    SaveFileAtomically(target, "first\r\n");
    SaveFileAtomically(target, "second\r\n");
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("second\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.csv"});

    const QString missing = dir.filePath(QStringLiteral("no such folder/list.csv"));
    try {
        SaveFileAtomically(missing, "rows\r\n");
        ADD_FAILURE() << "no error for a folder that does not exist";
    } catch (const Exception& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Cannot save the list to \"%1\". ").arg(missing)))
            << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("No such file or directory")))
            << e.Message().toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"list.csv"});
}
