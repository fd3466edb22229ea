// Scans a generated tree of many small folders and files and prints how long the folder scan
// takes next to a bare readdir walk of the same tree (the floor: the file system alone), so the
// scan's own cost per entry (mask test, path building, list, message handling) shows.
//
//   folder_scan_bench [files] [files per folder]      default 100000 files, 1000 per folder

#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "search/FolderScan.h"
#include "search/Masks.h"
#include "search/SearchView.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void MakeTree(const std::string& root, int files, int perFolder)
{
    for (int i = 0; i < files; ++i) {
        const std::string folder = root + "/d" + std::to_string(i / perFolder);
        if (i % perFolder == 0)
            mkdir(folder.c_str(), 0755);
        // Every other file matches "*.jpg".
        const std::string name = folder + "/photo " + std::to_string(i) + (i % 2 ? ".jpg" : ".txt");
        close(open(name.c_str(), O_CREAT | O_WRONLY, 0644));
    }
}

// The same walk with nothing but the system calls: opendir, readdir, a stat for unknown types.
long BareWalk(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    long names = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isDir = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status;
            isDir = fstatat(dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
        }
        names += isDir ? BareWalk(folder + "/" + name) : 1;
    }
    closedir(dir);
    return names;
}

template <typename Work> double BestOfThree(Work work)
{
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int perFolder = argc > 2 ? std::atoi(argv[2]) : 1000;

    QTemporaryDir dir;
    const std::string root = QFile::encodeName(dir.path()).toStdString();
    MakeTree(root, files, perFolder);

    QLabel label1, label3, label4;
    TProgressBar progress;
    TMemo memo1, memo2, memo3;
    TImageList images(100, 75);
    TDataGrid grid1, grid2, grid3;
    TImage placeholder;
    uint8_t stopFlag = 0;
    const bool abandoned = false;
    const TSearchView view{label1, label3, label4, progress, memo1,       memo2,    memo3,
                           images, grid1,  grid2,  grid3,    placeholder, stopFlag, abandoned};

    long bare = 0;
    const double bareMs = BestOfThree([&] { bare = BareWalk(root); });
    const double scanMs = BestOfThree([&] {
        memo1.Lines().Clear();
        ScanFolder(QByteArray::fromStdString(root), "*.jpg", memo1.Lines(), true, view,
                   HostFileSystem());
    });
    const QByteArray name("photo 12345.jpg"), mask("*.jpg");
    const auto matchAll = [&](auto&& matches) {
        int hits = 0;
        for (int i = 0; i < files; ++i)
            hits += matches();
        if (hits != files)
            std::abort();
    };
    const double perNameMs =
        BestOfThree([&] { matchAll([&] { return NameMatchesMask(name, mask); }); });
    const TMask compiled(mask);
    const double compiledMs =
        BestOfThree([&] { matchAll([&] { return compiled.MatchName(name); }); });

    std::printf("tree: %d files in folders of %d; best of three runs\n", files, perFolder);
    std::printf("bare readdir walk:        %8.1f ms  (%ld names)\n", bareMs, bare);
    std::printf("folder scan:              %8.1f ms  (%d paths listed)\n", scanMs,
                memo1.Lines().Count());
    std::printf("mask tests, compiled per name: %5.1f ms\n", perNameMs);
    std::printf("mask tests, compiled once:     %5.1f ms  (what the scan does)\n", compiledMs);
    std::printf("scan cost over the walk:  %8.2f us per entry\n", (scanMs - bareMs) * 1000 / files);
    return 0;
}
