// Removes marked copies the way the deletion page does and prints its figures, one name=value a
// line. It builds PAIRS pairs of small identical files (default 10,000) in a temporary folder
// that is also the home and data folder, so the trash lies inside it; runs the real search over
// them; unmarks the originals; then times the re-check that keeps a copy of every picture beside
// the search's own comparison of the same files, and the removal of the marked copies to the
// trash, then (the copies written again each time) by overwriting and by moving them aside into
// a folder beside the pictures on the same file system.
//
//   deletion_bench [PAIRS]

#include "SearchPhaseClock.h"
#include "app/MainForm.h"
#include "edits/GxFolderEdit.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/Memo.h"
#include "platform/PageControl.h"
#include "search/KeepCopies.h"
#include "search/ResultColumns.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

// Sizes repeat every 500 files, so equal sizes come in runs that the content ordering reads.
QByteArray Content(int i)
{
    QByteArray bytes(2000 + i % 500, '\0');
    uint32_t state = static_cast<uint32_t>(i) * 2654435761u + 1u;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

QString PairPath(const QString& root, const char* side, int i)
{
    return QStringLiteral("%1/%2/%3.jpg")
        .arg(root, QLatin1String(side))
        .arg(i, 5, 10, QLatin1Char('0'));
}

void WriteCopies(const QString& root, const char* side, int pairs)
{
    QDir().mkpath(root + QLatin1Char('/') + QLatin1String(side));
    for (int i = 0; i < pairs; ++i) {
        QFile file(PairPath(root, side, i));
        if (!file.open(QIODevice::WriteOnly) || file.write(Content(i)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            std::exit(1);
        }
    }
}

// The rows of the results as a removal reads them; the originals are unmarked.
std::vector<TResultFile> MarkCopiesOnly(TDataGrid& results)
{
    const TResultColumns columns = TResultColumns::Resolve(results);
    std::vector<TResultFile> rows;
    for (int row = 0; row < results.RowCount(); ++row) {
        const QString path = results.Cell(columns.Dest, row).AsString();
        const bool copy = path.contains(QStringLiteral("/copy/"));
        results.Cell(columns.Del, row).SetAsBoolean(copy);
        rows.push_back({TextToFileName(path), copy});
    }
    return rows;
}

double SecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

// Presses Delete on the deletion page with the radio button checked; the report's lines that
// name files of the copies are the files removed.
int Delete(TForm1& form, QRadioButton* mode, double& seconds)
{
    form.PageControl1->SetActivePageIndex(2);
    mode->setChecked(true);
    seconds = SecondsOf([&] { form.BitBtn6Click(form.BitBtn6); });
    int removed = 0;
    for (int line = 0; line < form.Memo3->Lines().Count(); ++line)
        removed += form.Memo3->Lines().Text(line).contains(QStringLiteral("/copy/"));
    return removed;
}

} // namespace

int main(int argc, char** argv)
{
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir sandbox;
    qputenv("HOME", QFile::encodeName(sandbox.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(sandbox.filePath(QStringLiteral("data"))));
    TApplication app(argc, argv);
    const QString root = sandbox.filePath(QStringLiteral("pictures"));
    WriteCopies(root, "original", pairs);
    WriteCopies(root, "copy", pairs);

    TForm1 form;
    form.show();
    form.Edit1->setText(root);
    form.CheckBox1->setChecked(true);
    TSearchPhaseClock clock(form);
    form.BitBtn1Click(form.BitBtn1);
    clock.Stop();
    std::printf("pairs=%d\nresult_rows=%d\n", pairs, form.DataGrid1->RowCount());
    PrintFigure("search_compare_s",
                clock.Seconds(TSearchPhase::Comparison, TSearchPhase::ResultRows));

    const std::vector<TResultFile> rows = MarkCopiesOnly(*form.DataGrid1);
    int removable = 0;
    PrintFigure("recheck_s", SecondsOf([&] {
                    for (TRemovalChoice choice : ChooseRemovals(rows))
                        removable += choice == TRemovalChoice::Remove;
                }));
    std::printf("recheck_removable=%d\n", removable);

    double seconds = 0;
    std::printf("trash_removed=%d\n", Delete(form, form.RadioButton1, seconds));
    PrintFigure("trash_s", seconds);
    WriteCopies(root, "copy", pairs);
    std::printf("overwrite_removed=%d\n", Delete(form, form.RadioButton2, seconds));
    PrintFigure("overwrite_s", seconds);
    WriteCopies(root, "copy", pairs);
    const QString aside = sandbox.filePath(QStringLiteral("aside"));
    form.Edit1->SetFolderDialog([&](QWidget*, const QString&, const QString&) { return aside; });
    std::printf("aside_moved=%d\n", Delete(form, form.RadioButton3, seconds));
    PrintFigure("aside_s", seconds);
    return 0;
}
