// Painting and scrolling the results grid must cost the same whatever number of rows it holds.
// Fills the results grid (its real columns) with 1,000, 100,000 and 1,000,000 rows of
// search-like data, shows about ten thumbnail rows of it offscreen in the middle of the rows,
// and prints one line per size:
//   rows=N paint_ms=… scroll_row_ms=… scroll_page_ms=…
// paint_ms is a full repaint of the visible page, scroll_row_ms one row down and
// scroll_page_ms one page down, each until the repaint is on the screen; medians of many
// repeats. With GRID_PAINT_BENCH_SHOTS=<folder> it also saves a picture of each page.
#include "app/FormGrids.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/ImageList.h"
#include "search/ResultColumns.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRepeats = 60;
constexpr int kThumbnails = 32;
constexpr int kVisibleRows = 10;

// Distinct 100 × 75 pictures, so that drawing them is real work.
void FillImages(TImageList& images)
{
    for (int k = 0; k < kThumbnails; ++k) {
        QImage picture(100, 75, QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), QColor::fromHsv(k * 360 / kThumbnails, 160, 220));
        painter.drawEllipse(10 + k, 10, 50, 40);
        painter.end();
        images.Add(picture);
    }
}

void FillRows(TDataGrid& grid, int rows)
{
    grid.BeginUpdate();
    grid.AddRow(rows);
    const TResultColumns columns = TResultColumns::Resolve(grid);
    for (int row = 0; row < rows; ++row) {
        grid.Cell(columns.Dest, row)
            .SetAsString(QStringLiteral("/home/user/Pictures/holiday %1/IMG_%2.jpg")
                             .arg(row / 100)
                             .arg(row));
        grid.Cell(columns.Size, row).SetAsString(QStringLiteral("%1 KB").arg(100 + row % 900));
        grid.Cell(columns.Res, row).SetAsString(QStringLiteral("1024 X 768"));
        grid.Cell(columns.Date, row).SetAsString(QStringLiteral("12/8/2026 3:45:00 AM"));
        grid.Cell(columns.Priv, row).SetAsInteger(row % kThumbnails);
    }
    grid.EndUpdate();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of the action followed by delivering the repaint it asked for.
double Time(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}

void Measure(int rows)
{
    TImageList images(100, 75);
    FillImages(images);
    TDataGrid grid;
    SetupResultsGrid(grid, images);
    FillRows(grid, rows);
    grid.resize(900, grid.HeaderSize() + kVisibleRows * 82 + 4);
    grid.show();
    QCoreApplication::processEvents();
    grid.VertScrollBar().SetPosition(rows / 2);
    QCoreApplication::processEvents();

    std::vector<double> paint;
    std::vector<double> row;
    std::vector<double> page;
    for (int i = 0; i < kRepeats; ++i) {
        paint.push_back(Time([&] { grid.viewport()->repaint(); }));
        row.push_back(Time([&] { grid.VertScrollBar().LineDown(); }));
        page.push_back(Time([&] { grid.VertScrollBar().PageDown(); }));
        // Back to where it started, so that every size scrolls in the middle of its rows.
        grid.VertScrollBar().PageUp();
        grid.VertScrollBar().LineUp();
        QCoreApplication::processEvents();
    }
    // GRID_PAINT_BENCH_SHOTS=folder keeps a picture of each size's page, to see what was timed.
    const QString shots = qEnvironmentVariable("GRID_PAINT_BENCH_SHOTS");
    if (!shots.isEmpty())
        grid.grab().save(shots + QStringLiteral("/rows_%1.png").arg(rows));
    std::printf("rows=%d paint_ms=%.3f scroll_row_ms=%.3f scroll_page_ms=%.3f\n", rows,
                Median(paint), Median(row), Median(page));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const int rows : {1000, 100000, 1000000})
        Measure(rows);
    return 0;
}
