// Response times of the results page to the user's input, on the real main window's results grid
// with synthetic rows. Each figure is the time from the input to the end of the repaint it
// causes: NAME the best of several runs, NAME_median their median, NAME_paints the viewport's
// paint events per run.
//   select_all_ms / invert_ms / deselect_all_ms   the mark buttons over 100,000 rows
//   header_sort_ms      clicks on the Dest and the Size header in turn, each a whole sort
//   header_reverse_ms   clicks on the header of the sorted column, each turning the order
//   click_ms, key_down_ms, page_down_ms           a click on a row, Down and Page Down, 100,000
//   rows
//   keep_*_ms / mark_folder_ms    each keep-one rule over 100,000 rows in 40,000 twin groups
//   group_sort_ms       header clicks on those rows, Dest and Size in turn, groups kept together
//   mark_click_ms       a click on a row's mark with the summary brought up to date
// Arguments: [rows for the mark buttons, default 100000] [rows for sorting, default 10000]
#include "app/ImageViewForm.h"
#include "app/MainForm.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/PageControl.h"
#include "platform/SysUtils.h"
#include "search/ResultColumns.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void FillRows(TDataGrid& grid, int count)
{
    grid.ClearRows();
    const TResultColumns columns = TResultColumns::Resolve(grid);
    uint32_t state = 1;
    grid.BeginUpdate();
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        const int row = grid.AddRow();
        grid.Cell(columns.Dest, row)
            .SetAsString(QStringLiteral("/home/user/Pictures/IMG_%1.jpg").arg(i));
        grid.Cell(columns.Size, row).SetAsString(QStringLiteral("%1 KB").arg(state >> 12));
    }
    grid.EndUpdate();
    QApplication::processEvents();
}

// Twin groups as a search leaves them: half of the groups of three rows, half of two, in 50
// folders, with dates spread over years; every row marked but the oldest of its group.
void FillGroups(TForm1& form, int groups)
{
    TDataGrid& grid = *form.DataGrid1;
    grid.ClearRows();
    const TResultColumns columns = TResultColumns::Resolve(grid);
    grid.BeginUpdate();
    int i = 0;
    for (int group = 1; group <= groups; ++group)
        for (int copy = 0; copy < 2 + group % 2; ++copy, ++i) {
            const int row = grid.AddRow();
            grid.Cell(columns.Dest, row)
                .SetAsString(
                    QStringLiteral("/home/user/Pictures/holiday %1/IMG_%2.jpg").arg(i % 50).arg(i));
            grid.Cell(columns.Size, row)
                .SetAsString(QStringLiteral("%1 KB").arg(100 + group % 900));
            grid.Cell(columns.Date, row)
                .SetAsString(DateTimeToStr(
                    EncodeDateTime(2020 + i % 5, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 0)));
            grid.Cell(columns.Group, row).SetAsFloat(group);
        }
    grid.EndUpdate();
    form.KeepOldest1->trigger();
    QApplication::processEvents();
}

// Runs the input, then lets the repaint it asked for happen; prints best and median.
void Measure(const char* name, QWidget& viewport, int runs, const std::function<void()>& input)
{
    PaintCounter counter(viewport);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QApplication::processEvents();
        const auto start = Clock::now();
        input();
        QApplication::processEvents();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%s=%.2f\n%s_median=%.2f\n%s_paints=%.1f\n", name, times.front(), name,
                times[times.size() / 2], name, double(counter.paints) / runs);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    // An error must end the run with its message, not wait in a message box.
    app.SetErrorHandler([](const QString& message) {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
        std::exit(1);
    });
    const int markRows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int sortRows = argc > 2 ? std::atoi(argv[2]) : 10000;

    TForm2 view;
    TForm1 form;
    form.PageControl1->SetActivePageIndex(1);
    form.show();
    TDataGrid& grid = *form.DataGrid1;
    QWidget& viewport = *grid.viewport();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "error: the window was never shown\n");
        return 1;
    }

    FillRows(grid, markRows);
    std::printf("mark_rows=%d\nsort_rows=%d\n", markRows, sortRows);
    Measure("select_all_ms", viewport, 7, [&] { form.BitBtn_2->click(); });
    Measure("invert_ms", viewport, 7, [&] { form.BitBtn_1->click(); });
    Measure("deselect_all_ms", viewport, 7, [&] { form.BitBtn_3->click(); });

    const TResultColumns columns = TResultColumns::Resolve(grid);
    const QPoint cell = grid.GetCellRect(columns.Dest, 1).center();
    Measure("click_ms", viewport, 11,
            [&] { QTest::mouseClick(&viewport, Qt::LeftButton, {}, cell); });
    grid.setFocus();
    Measure("key_down_ms", viewport, 11, [&] { QTest::keyClick(&grid, Qt::Key_Down); });
    Measure("page_down_ms", viewport, 11, [&] { QTest::keyClick(&grid, Qt::Key_PageDown); });

    FillRows(grid, sortRows);
    const auto headerOf = [&](int index) {
        const TGxCustomColumn& column = grid.Columns().Items(index);
        return QPoint(column.ColumnLeft() + column.Width() / 2, grid.HeaderSize() / 2);
    };
    const QPoint sizeHeader = headerOf(columns.Size);
    const QPoint destHeader = headerOf(columns.Dest);
    // Alternating between two columns, every click is a whole sort.
    int clicks = 0;
    Measure("header_sort_ms", viewport, 8, [&] {
        QTest::mouseClick(&viewport, Qt::LeftButton, {}, ++clicks % 2 ? destHeader : sizeHeader);
    });
    Measure("header_reverse_ms", viewport, 7,
            [&] { QTest::mouseClick(&viewport, Qt::LeftButton, {}, sizeHeader); });

    constexpr int kGroups = 40000;
    FillGroups(form, kGroups);
    std::printf("group_rows=%d\ngroups=%d\n", grid.RowCount(), kGroups);
    grid.SetSelectedRow(1);
    Measure("keep_oldest_ms", viewport, 5, [&] { form.KeepOldest1->trigger(); });
    Measure("keep_newest_ms", viewport, 5, [&] { form.KeepNewest1->trigger(); });
    Measure("keep_shortest_ms", viewport, 5, [&] { form.KeepShortest1->trigger(); });
    Measure("keep_in_folder_ms", viewport, 5, [&] { form.KeepInFolder1->trigger(); });
    Measure("mark_folder_ms", viewport, 5, [&] { form.MarkInFolder1->trigger(); });
    Measure("group_sort_ms", viewport, 6, [&] {
        QTest::mouseClick(&viewport, Qt::LeftButton, {}, ++clicks % 2 ? destHeader : sizeHeader);
    });
    const QPoint mark = grid.GetCellRect(columns.Del, 1).center();
    Measure("mark_click_ms", viewport, 11,
            [&] { QTest::mouseClick(&viewport, Qt::LeftButton, {}, mark); });
    std::printf("summary=%s\n", qPrintable(form.SummaryLabel->text()));
    return 0;
}
