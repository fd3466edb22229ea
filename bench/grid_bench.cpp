// Speed and memory of the grid's data side on a table as large as a big search makes: a million
// rows of a path and a size text, as the candidate grid holds them. Prints name=value lines:
//   fill_s          appending the rows and writing both cells of each, by column name
//   sort_s          sorting by the size text, as the search does
//   read_s          reading every cell once by column name
//   peak_mb         the process's peak resident memory, Qt included (baseline_mb before filling)
//   cleanup_100k_s  the search's pair clean-up (delete while walking forward) on 100,000 rows;
//                   cleanup_200k_s on twice as many shows how it grows
#include "PeakMemory.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"

#include <QApplication>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Writes value as decimal digits into text[at, at + width), zero-padded.
void PutDigits(QString& text, qsizetype at, int width, uint32_t value)
{
    for (int i = width - 1; i >= 0; --i, value /= 10)
        text[at + i] = QChar(u'0' + value % 10);
}

// The texts of one candidate row: a 46-character path and a size of 5 to 7 digits.
class CandidateTexts
{
public:
    void Next()
    {
        m_state = m_state * 1103515245u + 12345u;
        const uint32_t number = m_state >> 8;
        PutDigits(path, 26, 4, number % 10000);
        PutDigits(path, 35, 7, number % 9999991);
        size = QString::number(10000 + number % 9990000);
    }

    QString path = QStringLiteral("/home/user/Pictures/Folder0000/IMG_0000000.jpg");
    QString size;

private:
    uint32_t m_state = 1;
};

void AddCandidateColumns(TDataGrid& grid)
{
    grid.Columns().Add<TGxTextColumn>(QStringLiteral("dest2"));
    grid.Columns().Add<TGxTextColumn>(QStringLiteral("size2"));
}

void RunMillionRows(int rows)
{
    TDataGrid grid;
    AddCandidateColumns(grid);
    const QString dest = QStringLiteral("dest2");
    const QString size = QStringLiteral("size2");
    CandidateTexts texts;

    auto start = Clock::now();
    for (int i = 0; i < rows; ++i) {
        texts.Next();
        const int row = grid.AddRow();
        grid.Cell(dest, row).SetAsString(texts.path);
        grid.Cell(size, row).SetAsString(texts.size);
    }
    std::printf("fill_s=%.3f\n", SecondsSince(start));

    start = Clock::now();
    grid.ColumnByName(QStringLiteral("Size2"))->SetSorted(true);
    std::printf("sort_s=%.3f\n", SecondsSince(start));

    start = Clock::now();
    qsizetype characters = 0;
    for (int row = 0; row < grid.RowCount(); ++row)
        characters +=
            grid.Cell(dest, row).AsString().size() + grid.Cell(size, row).AsString().size();
    std::printf("read_s=%.3f\n", SecondsSince(start));
    std::printf("read_characters=%lld\n", static_cast<long long>(characters));
    std::printf("peak_mb=%.1f\n", PeakMegabytes());
}

// The pair table of one long chain of identical files: f0, f1, f1, f2, f2, ... The clean-up
// deletes one row of every repeated pair, about half of them.
double RunCleanup(int rows)
{
    TDataGrid grid;
    AddCandidateColumns(grid);
    grid.BeginUpdate();
    for (int row = 0; row < rows; ++row) {
        grid.AddRow();
        grid.Cell(0, row).SetAsString(QStringLiteral("/pics/file%1.jpg").arg((row + 1) / 2));
        grid.Cell(1, row).SetAsString(QStringLiteral("2048"));
    }
    grid.EndUpdate();

    const auto start = Clock::now();
    int limit = grid.RowCount() - 2;
    const int count = grid.RowCount() - 1;
    for (int j = 0; j < count; ++j) {
        if (j < limit && grid.Cell(0, j).AsString() == grid.Cell(0, j + 1).AsString()) {
            grid.DeleteRow(j);
            --limit;
        }
    }
    return SecondsSince(start);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = 1000000;
    std::printf("rows=%d\n", rows);
    std::printf("baseline_mb=%.1f\n", PeakMegabytes());
    RunMillionRows(rows);
    std::printf("cleanup_100k_s=%.3f\n", RunCleanup(100000));
    std::printf("cleanup_200k_s=%.3f\n", RunCleanup(200000));
    return 0;
}
