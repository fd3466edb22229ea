// Runs the real search, as a click on Start does, over a folder and prints its figures, one
// name=value a line per run; with --list it first prints the result rows. With --sheet it writes
// a PNG of the first rows' thumbnails from the image list, each next to its file decoded at full
// size and stretched, to see that every thumbnail looks like its picture. Further folders are
// searched after the first, reference folders after them; --mask takes a list ("*.jpg;*.png").
//
//   search_bench [--mask MASKS] [--recurse] [--list] [--sheet PNG] [--repeat N]
//                [--reference DIR]... [--exclude PATTERNS] FOLDER [FOLDER...]

#include "PeakMemory.h"
#include "SearchPhaseClock.h"
#include "app/MainForm.h"
#include "edits/GxFolderEdit.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/JpegImage.h"
#include "platform/Memo.h"
#include "platform/Picture.h"
#include "search/FolderExclusions.h"
#include "search/MaskList.h"
#include "search/ReferenceRows.h"
#include "search/ResultColumns.h"
#include "search/Thumbnail.h"
#include "search/ThumbnailFill.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct TOptions
{
    QByteArray Mask = "*.jpg";
    bool Recurse = false;
    bool List = false;
    QByteArray Sheet;
    int Repeat = 1;
    std::vector<QByteArray> Folders;
    std::vector<QByteArray> References;
    QByteArray Exclude;
};

bool ParseOptions(int argc, char** argv, TOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--mask") && i + 1 < argc)
            options.Mask = argv[++i];
        else if (!std::strcmp(arg, "--recurse"))
            options.Recurse = true;
        else if (!std::strcmp(arg, "--list"))
            options.List = true;
        else if (!std::strcmp(arg, "--sheet") && i + 1 < argc)
            options.Sheet = argv[++i];
        else if (!std::strcmp(arg, "--repeat") && i + 1 < argc)
            options.Repeat = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(arg, "--reference") && i + 1 < argc)
            options.References.push_back(argv[++i]);
        else if (!std::strcmp(arg, "--exclude") && i + 1 < argc)
            options.Exclude = argv[++i];
        else if (arg[0] != '-')
            options.Folders.push_back(arg);
        else
            return false;
    }
    return !options.Folders.empty();
}

// The masks and patterns are read before anything runs, so a typing error is named at once
// rather than ending the run quietly.
bool ValidPatterns(const TOptions& options)
{
    try {
        TMaskList masks(options.Mask);
        TFolderExclusions exclusions(options.Exclude);
    } catch (const EMaskException& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return false;
    }
    return true;
}

void SetUpScope(TForm1& form, const TOptions& options)
{
    form.Edit1->setText(FileNameToText(options.Folders.front()));
    for (size_t i = 1; i < options.Folders.size(); ++i)
        form.AddFurtherFolder(FileNameToText(options.Folders[i]));
    for (const QByteArray& folder : options.References)
        form.AddFurtherFolder(FileNameToText(folder), true);
    form.Edit2->setText(FileNameToText(options.Exclude));
    const QString mask = FileNameToText(options.Mask);
    if (form.ComboBox1->findText(mask) < 0)
        form.ComboBox1->addItem(mask, options.Mask);
    form.ComboBox1->setCurrentIndex(form.ComboBox1->findText(mask));
    form.CheckBox1->setChecked(options.Recurse);
}

void PrintBytes(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void ListRows(TDataGrid& results)
{
    const TResultColumns at = TResultColumns::Resolve(results);
    const int columns[] = {at.Dest, at.Size, at.Res, at.Date, at.Priv, at.Del, at.Ref};
    for (int row = 0; row < results.RowCount(); ++row) {
        for (size_t c = 0; c < std::size(columns); ++c) {
            if (c > 0)
                std::fputc('\t', stdout);
            const QString text = results.Cell(columns[c], row).AsString();
            PrintBytes(c == 0 ? TextToFileName(text) : text.toUtf8());
        }
        std::fputc('\n', stdout);
    }
}

std::vector<QByteArray> ResultFiles(TDataGrid& results)
{
    const int dest = TResultColumns::Resolve(results).Dest;
    std::vector<QByteArray> files;
    for (int row = 0; row < results.RowCount(); ++row)
        files.push_back(TextToFileName(results.Cell(dest, row).AsString()));
    return files;
}

// Rows of the sheet: the image list's picture of the row, then the file decoded at full size and
// stretched, four such pairs a line.
void WriteSheet(TForm1& form, const QByteArray& fileName)
{
    constexpr int kPairs = 4, kLines = 12, kGap = 4;
    const QSize cell = kThumbnailSize + QSize(kGap, kGap);
    QImage sheet(cell.width() * 2 * kPairs + kGap, cell.height() * kLines + kGap,
                 QImage::Format_RGB32);
    sheet.fill(Qt::darkGray);
    QPainter painter(&sheet);
    TDataGrid& results = *form.DataGrid1;
    const TResultColumns columns = TResultColumns::Resolve(results);
    const int rows = std::min(results.RowCount(), kPairs * kLines);
    for (int row = 0; row < rows; ++row) {
        const QPoint at(kGap + (row % kPairs) * 2 * cell.width(),
                        kGap + row / kPairs * cell.height());
        const int picture = results.Cell(columns.Priv, row).AsInteger();
        form.ImageList1->Draw(painter, at, picture);
        const QImage full =
            LoadPictureFile(TextToFileName(results.Cell(columns.Dest, row).AsString()));
        if (!full.isNull())
            painter.drawImage(at + QPoint(cell.width(), 0), StretchPicture(full, kThumbnailSize));
    }
    painter.end();
    if (!sheet.save(QFile::decodeName(fileName), "png"))
        std::fprintf(stderr, "cannot write %s\n", fileName.constData());
}

// How many rows' thumbnails come from the preview embedded in their JPEG's Exif block.
int EmbeddedPreviewRows(const std::vector<QByteArray>& files)
{
    int rows = 0;
    for (const QByteArray& path : files) {
        TJpegImage picture;
        rows += NameAsksForJpeg(path) && picture.LoadFromFile(path) &&
                !picture.EmbeddedPreview(kThumbnailSize).isNull();
    }
    return rows;
}

// The thumbnail phase again, over the same files into an image list of its own, with the given
// number of pool threads.
double ThumbnailSeconds(const std::vector<QByteArray>& files, const QImage& placeholder,
                        int threads)
{
    QElapsedTimer timer;
    timer.start();
    TImageList images(kThumbnailSize.width(), kThumbnailSize.height());
    TThumbnailFill fill(
        files, [&placeholder](const QByteArray& path) { return MakeThumbnail(path, placeholder); },
        SameThumbnailFiles, threads);
    std::vector<std::vector<QImage>> pictures(files.size());
    while (!fill.Done())
        for (TThumbnailFill::TArrived& arrived : fill.Take(10))
            pictures[size_t(arrived.index)] = std::move(arrived.result.thumbnails);
    for (const std::vector<QImage>& ofFile : pictures)
        for (const QImage& picture : ofFile)
            images.Add(picture);
    return timer.nsecsElapsed() / 1e9;
}

// The time to make the same thumbnails the classic way: every JPEG decoded at full size and
// stretched, for comparison with the run's own thumbnail phase.
double FullSizeThumbnailSeconds(TDataGrid& results)
{
    QElapsedTimer timer;
    timer.start();
    int made = 0;
    const int dest = TResultColumns::Resolve(results).Dest;
    for (int row = 0; row < results.RowCount(); ++row) {
        const QByteArray path = TextToFileName(results.Cell(dest, row).AsString());
        if (!NameAsksForJpeg(path))
            continue;
        TJpegImage picture;
        if (picture.LoadFromFile(path))
            made += !picture.Decode()
                         .scaled(kThumbnailSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .isNull();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "full-size thumbnails made: %d\n", made);
    return seconds;
}

void RunOnce(TForm1& form, const TOptions& options)
{
    TSearchPhaseClock clock(form);
    form.BitBtn4Click(form.BitBtn4);
    form.BitBtn1Click(form.BitBtn1);
    clock.Stop();
    const auto seconds = [&clock](TSearchPhase from, TSearchPhase to) {
        return clock.Seconds(from, to);
    };

    if (options.List)
        ListRows(*form.DataGrid1);
    std::printf("files=%d\n", form.Memo1->Lines().Count());
    std::printf("candidates=%d\n", form.DataGrid2->RowCount());
    std::printf("duplicates=%d\n", form.DataGrid1->RowCount());
    int referenceRows = 0;
    const TReferenceRows references(*form.DataGrid1);
    for (int row = 0; row < form.DataGrid1->RowCount(); ++row)
        referenceRows += references.Contains(row);
    std::printf("reference_rows=%d\n", referenceRows);
    if (!form.Label5->isHidden())
        std::fprintf(stderr, "%s\n", form.Label5->text().toLocal8Bit().constData());
    std::printf("thumbnails=%d\n", form.ImageList1->Count());
    PrintFigure("scan_s", seconds(TSearchPhase::Scan, TSearchPhase::CandidateList));
    PrintFigure("candidates_s", seconds(TSearchPhase::CandidateList, TSearchPhase::Comparison));
    PrintFigure("compare_s", seconds(TSearchPhase::Comparison, TSearchPhase::ResultRows));
    PrintFigure("phases123_s", seconds(TSearchPhase::Scan, TSearchPhase::ResultRows));
    PrintFigure("thumbs_s", seconds(TSearchPhase::ResultRows, TSearchPhase::Finished));
    PrintFigure("total_s", clock.TotalSeconds());
    PrintFigure("peak_mb", PeakMegabytes());
    std::printf("thumbs_distinct=%d\n", form.ImageList1->DistinctCount());
    const std::vector<QByteArray> files = ResultFiles(*form.DataGrid1);
    std::printf("thumbs_exif=%d\n", EmbeddedPreviewRows(files));
    const QImage& placeholder = form.Image1->Picture();
    std::printf("cores=%d\n", TThumbnailFill::AllCores());
    PrintFigure("thumbs_1thread_s", ThumbnailSeconds(files, placeholder, 1));
    PrintFigure("thumbs_allcores_s",
                ThumbnailSeconds(files, placeholder, TThumbnailFill::AllCores()));
    PrintFigure("thumbs_fullsize_s", FullSizeThumbnailSeconds(*form.DataGrid1));
    std::fflush(stdout);
    if (!options.Sheet.isEmpty())
        WriteSheet(form, options.Sheet);
}

} // namespace

int main(int argc, char** argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: search_bench [--mask MASKS] [--recurse] [--list] "
                             "[--sheet PNG] [--repeat N] [--reference DIR]... "
                             "[--exclude PATTERNS] FOLDER [FOLDER...]\n");
        return 2;
    }
    if (!ValidPatterns(options))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    TForm1 form;
    form.show();
    SetUpScope(form, options);
    for (int run = 0; run < options.Repeat; ++run)
        RunOnce(form, options);
    return 0;
}
