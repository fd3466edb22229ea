// The search as a person waits for it: the real main window, shown on the platform the
// environment gives (a real X server under xvfb-run), driven through a click on Start. Prints,
// counted from the click:
//   rows_s            the list of result rows is complete
//   visible_thumbs_s  every row on the grid's first page shows its thumbnail
//   finish_s          Label1 reads "Finish"
//   idle_s            the click has returned and the messages it left are handled
//   peak_mb           the window process's peak resident memory
// and first search_bench's figures for the same folder in the same run (offscreen, no window
// drawn), as search_bench_NAME.
//
//   window_search_bench [--mask MASK] [--flat] [--repeat N] FOLDER
// The folder is searched with its subfolders unless --flat; the mask is *.jpg by default.

#include "PeakMemory.h"
#include "SearchPhaseClock.h"
#include "app/MainForm.h"
#include "edits/GxFolderEdit.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/ImageList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

struct TOptions
{
    QByteArray Mask = "*.jpg";
    bool Recurse = true;
    int Repeat = 1;
    QByteArray Folder;
};

bool ParseOptions(int argc, char** argv, TOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--mask") && i + 1 < argc)
            options.Mask = argv[++i];
        else if (!std::strcmp(arg, "--flat"))
            options.Recurse = false;
        else if (!std::strcmp(arg, "--repeat") && i + 1 < argc)
            options.Repeat = std::max(1, std::atoi(argv[++i]));
        else if (arg[0] != '-' && options.Folder.isEmpty())
            options.Folder = arg;
        else
            return false;
    }
    return !options.Folder.isEmpty();
}

// search_bench's figures for the same search, from the binary built next to this one. It is
// ended after its peak memory: the thumbnail timings it prints after that are not wanted here.
void PrintEngineFigures(const TOptions& options)
{
    QStringList arguments{QStringLiteral("--mask"), QString::fromLocal8Bit(options.Mask)};
    if (options.Recurse)
        arguments << QStringLiteral("--recurse");
    arguments << QFile::decodeName(options.Folder);
    QProcess bench;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    bench.setProcessEnvironment(environment);
    bench.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bench.start(QCoreApplication::applicationDirPath() + QStringLiteral("/search_bench"), arguments);
    bool complete = false;
    while (!complete && (bench.canReadLine() || bench.waitForReadyRead(-1))) {
        while (!complete && bench.canReadLine()) {
            const QByteArray line = bench.readLine().trimmed();
            for (const char* name :
                 {"duplicates=", "phases123_s=", "thumbs_s=", "total_s=", "peak_mb="})
                if (line.startsWith(name))
                    std::printf("search_bench_%s\n", line.constData());
            complete = line.startsWith("peak_mb=");
        }
    }
    if (!complete)
        std::fprintf(stderr, "search_bench did not run\n");
    std::fflush(stdout);
    bench.kill();
    bench.waitForFinished(-1);
}

// Whether every row on the grid's page shows its picture.
bool PageHasItsThumbnails(TForm1& form)
{
    TDataGrid& results = *form.DataGrid1;
    const int priv = results.ColumnByName(QStringLiteral("Priv"))->Index();
    const int last = std::min(results.RowCount(), results.TopRow() + results.RowsPerPage());
    for (int row = results.TopRow(); row < last; ++row)
        if (!form.ImageList1->Holds(results.Cell(priv, row).AsInteger()))
            return false;
    return true;
}

void RunOnce(TForm1& form)
{
    form.BitBtn4Click(form.BitBtn4);
    QElapsedTimer clock;
    const auto now = [&clock] { return clock.nsecsElapsed() / 1e9; };
    std::optional<double> rows, visibleThumbnails, finish;
    form.OnSearchPhase = [&](TSearchPhase phase) {
        if (phase == TSearchPhase::Finished)
            finish = now();
        // A build without the thumbnails phase completes its list only with the run.
        if (phase == TSearchPhase::Thumbnails || (phase == TSearchPhase::Finished && !rows))
            rows = now();
    };
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (rows && !visibleThumbnails && PageHasItsThumbnails(form))
            visibleThumbnails = now();
    });
    watch.start();
    clock.start();
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    const double finished = finish.value_or(now());
    watch.stop();
    form.OnSearchPhase = {};
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const double idle = now();
    if (!visibleThumbnails && PageHasItsThumbnails(form))
        visibleThumbnails = finished;

    std::printf("rows=%d\n", form.DataGrid1->RowCount());
    std::printf("thumbnails=%d\n", form.ImageList1->Count());
    PrintFigure("rows_s", rows.value_or(-1.0));
    PrintFigure("visible_thumbs_s", visibleThumbnails.value_or(-1.0));
    PrintFigure("finish_s", finished);
    PrintFigure("idle_s", idle);
    PrintFigure("peak_mb", PeakMegabytes());
}

} // namespace

int main(int argc, char** argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: window_search_bench [--mask MASK] [--flat] [--repeat N] FOLDER\n");
        return 2;
    }
    TApplication app(argc, argv);
    PrintEngineFigures(options);
    TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::fprintf(stderr, "the window was not shown\n");
    form.Edit1->setText(FileNameToText(options.Folder));
    const QString mask = FileNameToText(options.Mask);
    if (form.ComboBox1->findText(mask) < 0)
        form.ComboBox1->addItem(mask);
    form.ComboBox1->setCurrentIndex(form.ComboBox1->findText(mask));
    form.CheckBox1->setChecked(options.Recurse);
    for (int run = 0; run < options.Repeat; ++run)
        RunOnce(form);
    return 0;
}
