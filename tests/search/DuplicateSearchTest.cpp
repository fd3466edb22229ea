#include "SampleImages.h"
#include "SearchViewFixture.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Random.h"
#include "platform/SysUtils.h"
#include "search/ContentCompare.h"
#include "search/PairTable.h"
#include "search/SearchRun.h"
#include "search/Thumbnail.h"
#include "support/FailingFileSystem.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <thread>
#include <unistd.h>

namespace {

// Whole searches over small trees made for each case, checked by the rows they leave.
class DuplicateSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Rng::SetSeed(0);
    }

    // A file of the given size whose bytes are derived from the seed: one seed, one content.
    QByteArray Make(const QString& name, int size, int seed)
    {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = char((i * 31 + seed * 17 + i / 7) & 0xFF);
        QDir().mkpath(QFileInfo(m_dir.filePath(name)).path());
        return WriteFile(m_dir, name, bytes);
    }

    void Run(const QByteArray& mask = "*.jpg", bool recurse = true)
    {
        m_controls.StopFlag = 0;
        TSearchView view = m_controls.View();
        view.ThumbnailMaker = m_thumbnailMaker;
        RunSearch(view, {QFile::encodeName(m_dir.path()), mask, recurse});
    }

    int Rows() { return m_controls.DataGrid1.RowCount(); }
    QString Text(const char* column, int row)
    {
        return m_controls.DataGrid1.Cell(QString::fromLatin1(column), row).AsString();
    }
    // The names (after the folder) of the result rows, in row order.
    QStringList Names()
    {
        QStringList names;
        for (int row = 0; row < Rows(); ++row)
            names << Text("Dest", row).mid(m_dir.path().size() + 1);
        return names;
    }
    std::set<QString> NameSet()
    {
        const QStringList names = Names();
        return {names.begin(), names.end()};
    }

    QTemporaryDir m_dir;
    SearchControls m_controls;
    // Stands in for MakeThumbnail when set.
    std::function<TThumbnailResult(const QByteArray&)> m_thumbnailMaker;
};

} // namespace

TEST_F(DuplicateSearchTest, threeIdenticalFilesGiveThreeRows)
{
    Make("a.jpg", 500, 1);
    Make("b.jpg", 500, 1);
    Make("c.jpg", 500, 1);
    Make("other.jpg", 500, 2);
    Run();
    EXPECT_EQ(NameSet(), (std::set<QString>{"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_controls.StopFlag, 1);
}

TEST_F(DuplicateSearchTest, twinsSeparatedByAFileOfTheSameSizeAreFound)
{
    // Whatever order the sort leaves A, B and A' in, A and A' must meet.
    for (int round = 0; round < 6; ++round) {
        Make("A.jpg", 700, 1);
        Make("B.jpg", 700, 2);
        Make("A2.jpg", 700, 1);
        Make("C.jpg", 700, 3);
        Run();
        EXPECT_EQ(NameSet(), (std::set<QString>{"A.jpg", "A2.jpg"})) << "round " << round;
    }
}

TEST_F(DuplicateSearchTest, twoSeparatePairsOfOneSizeGiveFourRowsWithEachGroupTogether)
{
    Make("a1.jpg", 300, 1);
    Make("b1.jpg", 300, 2);
    Make("a2.jpg", 300, 1);
    Make("b2.jpg", 300, 2);
    Run();
    const QStringList names = Names();
    ASSERT_EQ(names.size(), 4);
    EXPECT_EQ(names[0].left(1), names[1].left(1));
    EXPECT_EQ(names[2].left(1), names[3].left(1));
    EXPECT_NE(names[0].left(1), names[2].left(1));
}

TEST_F(DuplicateSearchTest, onlyFilesLargerThan100BytesAreCandidates)
{
    Make("small1.jpg", 100, 1);
    Make("small2.jpg", 100, 1);
    Make("big1.jpg", 101, 1);
    Make("big2.jpg", 101, 1);
    Run();
    EXPECT_EQ(NameSet(), (std::set<QString>{"big1.jpg", "big2.jpg"}));
    EXPECT_EQ(m_controls.DataGrid2.RowCount(), 2);
}

// Many more files than are measured together: every candidate row holds its own file's size,
// and every file larger than 100 bytes is a row.
TEST_F(DuplicateSearchTest, everyCandidateOfALongListHasItsOwnSize)
{
    constexpr int kFiles = 700;
    std::map<QString, int> sizes;
    for (int i = 0; i < kFiles; ++i) {
        const QString name = QStringLiteral("f%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        // Sizes 1 to 350 bytes, each twice, so the files near the end are twins too.
        const int size = 1 + i % (kFiles / 2);
        Make(name, size, i);
        if (size > 100)
            sizes[m_dir.filePath(name)] = size;
    }
    Run();
    TDataGrid& candidates = m_controls.DataGrid2;
    ASSERT_EQ(candidates.RowCount(), int(sizes.size()));
    for (int row = 0; row < candidates.RowCount(); ++row) {
        const QString path = candidates.Cell(0, row).AsString();
        ASSERT_EQ(sizes.count(path), 1u) << path.toStdString();
        EXPECT_EQ(candidates.Cell(1, row).AsString(), QString::number(sizes[path]))
            << path.toStdString();
    }
}

TEST_F(DuplicateSearchTest, recyclerInCapitalsIsSkippedAndOtherCaseIsNot)
{
    Make("RECYCLER/x1.jpg", 200, 1);
    Make("RECYCLER/x2.jpg", 200, 1);
    Make("recycler/y1.jpg", 300, 1);
    Make("recycler/y2.jpg", 300, 1);
    Run();
    EXPECT_EQ(NameSet(), (std::set<QString>{"recycler/y1.jpg", "recycler/y2.jpg"}));
}

TEST_F(DuplicateSearchTest, filesInTheDesktopTrashAreNoCandidates)
{
    Make(".Trash-1000/files/t1.jpg", 200, 1);
    Make(".Trash-1000/files/t2.jpg", 200, 1);
    Make("kept1.jpg", 300, 1);
    Make("kept2.jpg", 300, 1);
    Run();
    EXPECT_EQ(NameSet(), (std::set<QString>{"kept1.jpg", "kept2.jpg"}));
}

TEST_F(DuplicateSearchTest, sizesAtTheUnitLimitsStayInTheLowerUnit)
{
    Make("k1.jpg", 1024, 1);
    Make("k2.jpg", 1024, 1);
    Make("m1.jpg", 1048576, 2);
    Make("m2.jpg", 1048576, 2);
    Run();
    ASSERT_EQ(Rows(), 4);
    for (int row = 0; row < Rows(); ++row) {
        const bool small = Text("Dest", row).endsWith(QLatin1String("k1.jpg")) ||
                           Text("Dest", row).endsWith(QLatin1String("k2.jpg"));
        EXPECT_EQ(Text("Size", row), small ? QStringLiteral("1024 B") : QStringLiteral("1024 KB"));
    }
    // The size texts sort as text: 1024 before 1048576.
    EXPECT_TRUE(Text("Size", 0) == QStringLiteral("1024 B"));
}

TEST_F(DuplicateSearchTest, everyJpegRowGetsOneThumbnailAndItsNumber)
{
    for (int i = 0; i < 3; ++i)
        CopySample(m_dir, SamplesUnder("jpeg/valid/")[0].file, QStringLiteral("p%1.jpg").arg(i));
    Make("q1.jpg", 400, 5);
    Make("q2.jpg", 400, 5);
    Run();
    ASSERT_EQ(Rows(), 5);
    EXPECT_EQ(m_controls.ImageList1.Count(), 5);
    for (int row = 0; row < Rows(); ++row) {
        EXPECT_EQ(m_controls.DataGrid1.Cell(QStringLiteral("Priv"), row).AsInteger(), row);
        EXPECT_FALSE(Text("Date", row).isEmpty());
        // q1 and q2 are no pictures: they get the placeholder and its size.
        if (Text("Dest", row).contains(QLatin1String("/q")))
            EXPECT_EQ(Text("Res", row), QStringLiteral("100 X 80"));
        else
            EXPECT_TRUE(Text("Res", row).contains(QLatin1String(" X "))) << Text("Res", row);
    }
    EXPECT_EQ(m_controls.Label4.text(), QStringLiteral("Duplicates: 4"));
    EXPECT_EQ(m_controls.Label3.text(), QStringLiteral("Found files: 5"));
}

TEST_F(DuplicateSearchTest, pngMaskMakesNoThumbnails)
{
    Make("a.png", 400, 1);
    Make("b.png", 400, 1);
    Run("*.png");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(m_controls.ImageList1.Count(), 0);
    EXPECT_EQ(Text("Res", 0), QString());
    EXPECT_EQ(m_controls.DataGrid1.Cell(QStringLiteral("Priv"), 1).AsInteger(), 1);
}

TEST_F(DuplicateSearchTest, aBitmapThatCannotBeLoadedGetsThePlaceholderAndTheRunGoesOn)
{
    Make("bad1.bmp", 400, 1);
    Make("bad2.bmp", 400, 1);
    Run("*.bmp");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(m_controls.ImageList1.Count(), 2);
    EXPECT_EQ(Text("Res", 1), QStringLiteral("100 X 80"));
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
}

TEST_F(DuplicateSearchTest, aFileThatCannotBeOpenedForTheComparisonDoesNotEmptyTheResults)
{
    Make("gone1.jpg", 500, 1);
    Make("gone2.jpg", 500, 1);
    Make("kept1.jpg", 600, 2);
    Make("kept2.jpg", 600, 2);
    // The file vanishes after it was measured, before it is compared.
    m_controls.DataGrid2.OnChange = [this](QObject*, int column, int row) {
        const QString path = m_controls.DataGrid2.Cell(column, row).AsString();
        if (path.endsWith(QLatin1String("gone1.jpg")))
            QFile::remove(path);
    };
    Run();
    EXPECT_EQ(NameSet(), (std::set<QString>{"kept1.jpg", "kept2.jpg"}));
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
}

TEST_F(DuplicateSearchTest, namesThatAreNotUtf8AreFoundAndKeepTheirBytes)
{
    const QByteArray name = QFile::encodeName(m_dir.path()) + "/caf\xE9.jpg";
    Make("plain.jpg", 333, 9);
    QFile plain(m_dir.filePath("plain.jpg"));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    const QByteArray content = plain.readAll();
    // QFile would turn the name into text first, and the byte 0xE9 with it.
    FILE* copy = std::fopen(name.constData(), "wb");
    ASSERT_NE(copy, nullptr);
    std::fwrite(content.constData(), 1, size_t(content.size()), copy);
    ASSERT_EQ(std::fclose(copy), 0);
    Run();
    ASSERT_EQ(Rows(), 2);
    std::set<QByteArray> paths;
    for (int row = 0; row < Rows(); ++row)
        paths.insert(TextToFileName(Text("Dest", row)));
    EXPECT_TRUE(paths.count(name)) << "the result row must lead back to the file";
}

TEST_F(DuplicateSearchTest, stopDuringTheResultRowsKeepsTheRowsMadeSoFar)
{
    for (int i = 0; i < 4; ++i)
        Make(QStringLiteral("s%1.jpg").arg(i), 250, 1);
    // The first result row's change notice asks for a stop, as the Stop button would.
    m_controls.DataGrid1.OnDataChange = [this](QObject*, TDataChange, int) {
        m_controls.StopFlag = 1;
    };
    Run();
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(m_controls.Label1.text().startsWith(QLatin1String("Out founded files")));
    EXPECT_EQ(m_controls.StopFlag, 1);
}

// Two groups of twins of one byte size lie next to each other in the results: each row still
// shows its own picture, and each group's picture is decoded and kept once.
TEST_F(DuplicateSearchTest, twinGroupsOfOneSizeEachShowTheirOwnPicture)
{
    QByteArray first = Encoded(QuarteredPicture(320, 240), "jpeg");
    QByteArray second = Encoded(QuarteredPicture(320, 240).mirrored(true, true), "jpeg");
    // Bytes after the end-of-image marker are ignored by decoders: pad both to one size.
    const qsizetype size = std::max(first.size(), second.size()) + 10;
    first.append(size - first.size(), '\0');
    second.append(size - second.size(), '\0');
    for (const char* name : {"a1.jpg", "a2.jpg", "a3.jpg"})
        WriteFile(m_dir, QString::fromLatin1(name), first);
    for (const char* name : {"b1.jpg", "b2.jpg"})
        WriteFile(m_dir, QString::fromLatin1(name), second);
    Run();
    ASSERT_EQ(Rows(), 5);
    ASSERT_EQ(m_controls.ImageList1.Count(), 5);
    EXPECT_EQ(m_controls.ImageList1.DistinctCount(), 2);
    const QImage placeholder = m_controls.Image1.Picture();
    for (int row = 0; row < Rows(); ++row) {
        SCOPED_TRACE(Text("Dest", row).toStdString());
        const TThumbnailResult own = MakeThumbnail(TextToFileName(Text("Dest", row)), placeholder);
        ASSERT_EQ(own.thumbnails.size(), 1u);
        const int picture = m_controls.DataGrid1.Cell(QStringLiteral("Priv"), row).AsInteger();
        EXPECT_EQ(m_controls.ImageList1.Image(picture).convertToFormat(QImage::Format_RGB32),
                  own.thumbnails[0]);
        EXPECT_EQ(Text("Res", row), QStringLiteral("320 X 240"));
    }
}

namespace {

// Bytes this process has read through read() so far, from any thread.
int64_t BytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

void Grow(const QString& path, int64_t bytes)
{
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::truncate(name.constData(), QFileInfo(path).size() + bytes), 0);
}

} // namespace

// A hard link, a link to the file and a link to its folder reach one file: it is one candidate,
// listed at its first path, and never its own twin.
TEST_F(DuplicateSearchTest, oneFileReachedBySeveralPathsIsListedOnce)
{
    Make("dir1/x.jpg", 500, 1);
    Make("y.jpg", 500, 1);
    const QByteArray root = QFile::encodeName(m_dir.path());
    ASSERT_EQ(::symlink((root + "/dir1").constData(), (root + "/dir2").constData()), 0);
    ASSERT_EQ(::link((root + "/y.jpg").constData(), (root + "/hard.jpg").constData()), 0);
    ASSERT_EQ(::symlink((root + "/y.jpg").constData(), (root + "/soft.jpg").constData()), 0);
    Make("single.jpg", 600, 2);
    ASSERT_EQ(::link((root + "/single.jpg").constData(), (root + "/single2.jpg").constData()), 0);
    Run();
    ASSERT_EQ(Rows(), 2);
    std::set<std::pair<uint64_t, uint64_t>> files;
    for (int row = 0; row < Rows(); ++row) {
        const TFile file(TextToFileName(Text("Dest", row)));
        files.insert({file.Identity().device, file.Identity().inode});
    }
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(m_controls.Label4.text(), QStringLiteral("Duplicates: 1"));
}

// Three twins of 1 MiB, the third growing by a gigabyte after it was measured: no file is read
// past its measured size, the grown one is no twin, and the two unchanged ones still are.
TEST_F(DuplicateSearchTest, aFileThatGrowsAfterItWasMeasuredIsNotReadOnAndNotReported)
{
    constexpr int kSize = 1 << 20;
    for (const char* name : {"g1.jpg", "g2.jpg", "g3.jpg"})
        Make(QLatin1String(name), kSize, 1);
    m_controls.PhaseStarted = [this](TSearchPhase phase) {
        if (phase == TSearchPhase::Comparison)
            Grow(m_dir.filePath("g3.jpg"), int64_t(1) << 30);
    };
    const int64_t before = BytesReadSoFar();
    ASSERT_GE(before, 0) << "no /proc/self/io to count the bytes read";
    Run();
    const int64_t read = BytesReadSoFar() - before;
    EXPECT_EQ(NameSet(), (std::set<QString>{"g1.jpg", "g2.jpg"}));
    EXPECT_LT(read, 32 * kSize) << "read past a measured size";
}

// A file that changes between its twins after the ordering, as G3 did, is passed over: the
// twins on either side of it are still compared with each other.
TEST_F(DuplicateSearchTest, aFileChangedBetweenTwinsDoesNotPartThem)
{
    const QString g1 = m_dir.filePath("g1.jpg");
    const QString g2 = m_dir.filePath("g2.jpg");
    const QString g3 = m_dir.filePath("g3.jpg");
    for (const QString& path : {g1, g3, g2})
        Make(QFileInfo(path).fileName(), 3000, 1);
    const TSearchView view = m_controls.View();
    const TSearchTables tables = TSearchTables::Resolve(view);
    for (const QString& path : {g1, g3, g2}) {
        const int row = m_controls.DataGrid2.AddRow();
        m_controls.DataGrid2.Cell(tables.Candidates.Path, row).SetAsString(path);
        m_controls.DataGrid2.Cell(tables.Candidates.Size, row).SetAsString("3000");
    }
    m_controls.ProgressBar1.SetMax(1);
    for (const int64_t change : {int64_t(1), int64_t(-2)}) {
        SCOPED_TRACE(change);
        Grow(g3, change);
        m_controls.DataGrid3.ClearRows();
        CompareCandidates(view, tables);
        ASSERT_EQ(m_controls.DataGrid3.RowCount(), 2);
        EXPECT_EQ(m_controls.DataGrid3.Cell(tables.Pairs.Path, 0).AsString(), g1);
        EXPECT_EQ(m_controls.DataGrid3.Cell(tables.Pairs.Path, 1).AsString(), g2);
    }
}

// Files the comparison is told its files through, so a test sees which it opened.
class RecordingFileSystem : public FailingFileSystem
{
public:
    TFile OpenFile(const QByteArray& path) override
    {
        Opened.insert(QFile::decodeName(path));
        return FailingFileSystem::OpenFile(path);
    }

    std::set<QString> Opened;
};

// Only files that may have a twin are opened for the comparison: not a file whose size no other
// candidate has, nor files of one size whose first blocks the ordering found different. The
// twins among them are still found.
TEST_F(DuplicateSearchTest, theComparisonOpensOnlyFilesThatMayHaveATwin)
{
    const TSearchView view = m_controls.View();
    const TSearchTables tables = TSearchTables::Resolve(view);
    const auto add = [&](const char* name, int size, int seed) {
        const QString path = QFile::decodeName(Make(QLatin1String(name), size, seed));
        const int row = m_controls.DataGrid2.AddRow();
        m_controls.DataGrid2.Cell(tables.Candidates.Path, row).SetAsString(path);
        m_controls.DataGrid2.Cell(tables.Candidates.Size, row).SetAsString(QString::number(size));
        return path;
    };
    add("lone.jpg", 2999, 9);
    const QString twin1 = add("twin1.jpg", 3000, 1);
    add("other1.jpg", 3000, 2);
    add("other2.jpg", 3000, 3);
    const QString twin2 = add("twin2.jpg", 3000, 1);
    add("pair1.jpg", 3001, 4);
    add("pair2.jpg", 3001, 5);
    m_controls.ProgressBar1.SetMax(m_controls.DataGrid2.RowCount() - 2);
    RecordingFileSystem files;
    CompareCandidates(view, tables, GroupIdenticalCandidates(view, tables), files);

    // A run of two files of one size is not ordered, so its files are compared.
    EXPECT_EQ(files.Opened, (std::set<QString>{twin1, twin2, m_dir.filePath("pair1.jpg"),
                                               m_dir.filePath("pair2.jpg")}));
    ASSERT_EQ(m_controls.DataGrid3.RowCount(), 2);
    EXPECT_EQ(m_controls.DataGrid3.Cell(tables.Pairs.Path, 0).AsString(), twin1);
    EXPECT_EQ(m_controls.DataGrid3.Cell(tables.Pairs.Path, 1).AsString(), twin2);
}

// One long pair lets messages be handled while it is read, and a stop request seen there ends
// the comparison: the run ends without the pair.
TEST_F(DuplicateSearchTest, stopWhileALargePairIsReadEndsTheRun)
{
    const int64_t size = 3 * TContentComparer::ProgressInterval;
    for (const char* name : {"big1.jpg", "big2.jpg"}) {
        Make(QLatin1String(name), 0, 0);
        Grow(m_dir.filePath(QLatin1String(name)), size);
    }
    // Its first tick comes before the pair, the next one only from inside it.
    QTimer ticks;
    ticks.setInterval(0);
    int count = 0;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        if (++count == 2) {
            m_controls.StopFlag = 1;
            ticks.stop();
        }
    });
    m_controls.PhaseStarted = [&](TSearchPhase phase) {
        if (phase == TSearchPhase::Comparison)
            ticks.start();
    };
    Run();
    EXPECT_EQ(count, 2);
    EXPECT_EQ(m_controls.DataGrid3.RowCount(), 0);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_controls.StopFlag, 1);
}

// Three groups of two (two of them of one size, so the content ordering parts them) and one of
// three, beside a unique file: each group gets its number in row order, and only its keeper (the
// oldest by the Date column, ties to the shorter path) starts unmarked.
TEST_F(DuplicateSearchTest, groupsAreNumberedInRowOrderAndEachKeepsOneUnmarkedCopy)
{
    Make("p/a1.jpg", 600, 1);
    Make("p/q/a2.jpg", 600, 1);
    Make("p/b1.jpg", 600, 2);
    Make("p/q/b2.jpg", 600, 2);
    Make("c1.jpg", 800, 3);
    Make("p/c2.jpg", 800, 3);
    Make("d1.jpg", 900, 4);
    Make("p/d2.jpg", 900, 4);
    Make("p/q/d3.jpg", 900, 4);
    Make("unique.jpg", 600, 5);
    Run();
    ASSERT_EQ(Rows(), 9);
    std::map<QString, int> groupOfContent;
    std::map<int, std::vector<int>> rowsOfGroup;
    int last = 0;
    for (int row = 0; row < Rows(); ++row) {
        const int group = Text("Group", row).toInt();
        // Numbers go up by one where a new group begins.
        EXPECT_TRUE(group == last || group == last + 1) << row;
        last = group;
        const QString content = QFileInfo(Text("Dest", row)).fileName().left(1);
        const auto [known, added] = groupOfContent.try_emplace(content, group);
        EXPECT_EQ(known->second, group) << Text("Dest", row).toStdString();
        rowsOfGroup[group].push_back(row);
    }
    EXPECT_EQ(last, 4);
    EXPECT_EQ(groupOfContent.size(), 4u);
    for (const auto& [group, rows] : rowsOfGroup) {
        int unmarked = -1;
        int oldest = rows.front();
        for (int row : rows) {
            if (!m_controls.DataGrid1.Cell(QStringLiteral("Del"), row).AsBoolean()) {
                EXPECT_EQ(unmarked, -1) << "two unmarked rows in group " << group;
                unmarked = row;
            }
            const auto key = [&](int r) {
                return std::pair(StrToDateTime(Text("Date", r)), Text("Dest", r).size());
            };
            if (key(row) < key(oldest))
                oldest = row;
        }
        EXPECT_EQ(unmarked, oldest) << "group " << group;
    }
}

// The rows are complete, with the sizes read from the pictures' headers, before any thumbnail is
// in the list; the thumbnails then fill their places, and the list and the Res column end as if
// each row had made its pictures in turn (a name that asks for both steps takes two places).
TEST_F(DuplicateSearchTest, rowsComeBeforeTheirThumbnailsAndTheListEndsAsMadeInTurn)
{
    const QByteArray first = Encoded(QuarteredPicture(320, 240), "jpeg");
    const QByteArray second = Encoded(QuarteredPicture(160, 120).mirrored(true, true), "jpeg");
    for (const char* name : {"a1.jpg", "a2.bmp.jpg"})
        WriteFile(m_dir, QString::fromLatin1(name), first);
    for (const char* name : {"b1.jpg", "b2.jpg"})
        WriteFile(m_dir, QString::fromLatin1(name), second);
    int rowsThen = -1;
    int picturesThen = -1;
    QStringList resolutionsThen;
    m_controls.PhaseStarted = [&](TSearchPhase phase) {
        if (phase != TSearchPhase::Thumbnails)
            return;
        rowsThen = Rows();
        picturesThen = 0;
        for (int k = 0; k < m_controls.ImageList1.Count(); ++k)
            picturesThen += m_controls.ImageList1.Holds(k);
        for (int row = 0; row < Rows(); ++row)
            resolutionsThen << Text("Res", row);
    };
    Run();
    ASSERT_EQ(Rows(), 4);
    EXPECT_EQ(rowsThen, 4);
    EXPECT_EQ(picturesThen, 0);

    TImageList inTurn(100, 75);
    QStringList resolutions;
    for (int row = 0; row < Rows(); ++row) {
        const TThumbnailResult own =
            MakeThumbnail(TextToFileName(Text("Dest", row)), m_controls.Image1.Picture());
        for (const QImage& picture : own.thumbnails)
            inTurn.Add(picture);
        resolutions << own.resolution;
        EXPECT_EQ(Text("Res", row), own.resolution);
    }
    EXPECT_EQ(resolutionsThen, resolutions);
    ASSERT_EQ(m_controls.ImageList1.Count(), 5);
    ASSERT_EQ(inTurn.Count(), 5);
    for (int k = 0; k < inTurn.Count(); ++k)
        EXPECT_EQ(m_controls.ImageList1.Image(k), inTurn.Image(k)) << k;
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_controls.Label4.text(), QStringLiteral("Duplicates: 3"));
    EXPECT_EQ(m_controls.ProgressBar1.Position(), 3);
}

namespace {

// A thumbnail maker that takes its time, counting the pictures it is making and has made.
struct TSlowThumbnails
{
    std::atomic<int> running = 0;
    std::atomic<int> made = 0;

    std::function<TThumbnailResult(const QByteArray&)> Function()
    {
        return [this](const QByteArray&) {
            ++running;
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            QImage picture(100, 75, QImage::Format_RGB32);
            picture.fill(Qt::darkGreen);
            ++made;
            --running;
            return TThumbnailResult{{picture}, QStringLiteral("100 X 75")};
        };
    }
};

} // namespace

// Stop, and closing the window, while thumbnails are still coming end the run within half a
// second with no picture still being made; every row stays, and so do the pictures made.
TEST_F(DuplicateSearchTest, stopOrCloseWhileThumbnailsComeEndsTheRunPromptly)
{
    for (int i = 0; i < 60; ++i)
        for (const char* twin : {"a", "b"})
            Make(QStringLiteral("%1%2.jpg").arg(i).arg(QLatin1String(twin)), 300 + i, i);
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close ? "close" : "stop");
        TSlowThumbnails slow;
        m_thumbnailMaker = slow.Function();
        QElapsedTimer sinceRequest;
        m_controls.Abandoned = false;
        m_controls.PhaseStarted = [&](TSearchPhase phase) {
            if (phase == TSearchPhase::Thumbnails)
                QTimer::singleShot(100, [&] {
                    sinceRequest.start();
                    m_controls.StopFlag = 1;
                    m_controls.Abandoned = close;
                });
        };
        Run();
        ASSERT_TRUE(sinceRequest.isValid());
        EXPECT_LT(sinceRequest.elapsed(), 500);
        EXPECT_EQ(slow.running, 0);
        EXPECT_EQ(Rows(), 120);
        EXPECT_EQ(m_controls.StopFlag, 1);
        int pictures = 0;
        for (int k = 0; k < m_controls.ImageList1.Count(); ++k)
            pictures += m_controls.ImageList1.Holds(k);
        EXPECT_GT(pictures, 0);
        EXPECT_LT(pictures, 120);
        if (!close) {
            EXPECT_TRUE(m_controls.Label1.text().startsWith(QLatin1String("Out founded files")));
        }
    }
}
