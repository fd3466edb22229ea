#include "app/DeletionRun.h"

#include "SampleImages.h"
#include "app/FormGrids.h"
#include "app/MainForm.h"
#include "edits/GxFolderEdit.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/Exception.h"
#include "platform/FileNames.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/PageControl.h"
#include "platform/ProgressBar.h"
#include "search/ResultColumns.h"
#include "support/FileSafety.h"
#include "support/TestSupport.h"
#include "support/TrashSandbox.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kRecycleHeader = QStringLiteral("Next files removed in Recycle bin:");
const QString kHardDriveHeader = QStringLiteral("Next files removed from hard drive:");

// Every file under the folder outside the trash, with its bytes.
QMap<QString, QByteArray> FilesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.contains(QStringLiteral("/data/Trash/")))
            continue;
        QFile file(path);
        files.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
}

class DeletionRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.IsValid());
        ASSERT_TRUE(QDir(m_sandbox.Dir().path()).mkdir(QStringLiteral("originals")));
        SetupResultsGrid(m_grid, m_images);
    }

    QByteArray Write(const QString& name, const QByteArray& bytes)
    {
        return WriteBytes(m_sandbox.Path(name), bytes);
    }
    void AddRow(const QByteArray& path, bool marked)
    {
        const int row = m_grid.AddRow();
        m_grid.Cell(QStringLiteral("Dest"), row).SetAsString(FileNameToText(path));
        m_grid.Cell(QStringLiteral("Del"), row).SetAsBoolean(marked);
    }
    // A marked row and an unmarked twin of it, which the run must leave as it is.
    QByteArray AddCopyWithTwin(const QString& name, const QByteArray& bytes)
    {
        AddRow(Write(QStringLiteral("originals/") + name, bytes), false);
        const QByteArray copy = Write(name, bytes);
        AddRow(copy, true);
        return copy;
    }
    void Run(TDeletionMode mode) { RunDeletion({m_grid, m_memo, m_progress, m_abandoned}, mode); }

    QStringList Report() const
    {
        QStringList lines;
        for (int i = 0; i < m_memo.Lines().Count(); ++i)
            lines << m_memo.Lines().Text(i);
        return lines;
    }
    static bool Exists(const QByteArray& path)
    {
        return QFileInfo::exists(QFile::decodeName(path));
    }
    QMap<QString, QByteArray> Files() const { return FilesUnder(m_sandbox.Dir().path()); }
    // The files before the run without the ones it was to remove: unmarked and kept files stay
    // byte for byte.
    static QMap<QString, QByteArray> Without(QMap<QString, QByteArray> files,
                                             const QList<QByteArray>& removed)
    {
        for (const QByteArray& path : removed)
            files.remove(QFile::decodeName(path));
        return files;
    }

    TrashSandbox m_sandbox;
    TImageList m_images{100, 75};
    TDataGrid m_grid;
    TMemo m_memo;
    TProgressBar m_progress;
    bool m_abandoned = false;
};

} // namespace

TEST_F(DeletionRunTest, recycleBinReportsOnlyTheFilesThatReallyWentToTheTrash)
{
    const QByteArray first = AddCopyWithTwin(QStringLiteral("first.jpg"), "picture one");
    const QByteArray middle = AddCopyWithTwin(QStringLiteral("middle.jpg"), "picture two");
    const QByteArray third = AddCopyWithTwin(QStringLiteral("third.jpg"), "picture three");
    ASSERT_EQ(::unlink(middle.constData()), 0);
    const auto before = Files();
    Run(TDeletionMode::RecycleBin);
    EXPECT_EQ(Report(), (QStringList{kRecycleHeader, FileNameToText(first), FileNameToText(third),
                                     QStringLiteral("1 marked file was already gone:"),
                                     FileNameToText(middle)}));
    EXPECT_EQ(Files(), Without(before, {first, third}));
    EXPECT_EQ(m_sandbox.TrashFiles().entryList(QDir::Files),
              (QStringList{QStringLiteral("first.jpg"), QStringLiteral("third.jpg")}));
    EXPECT_EQ(m_progress.Max(), 5);
    EXPECT_EQ(m_progress.Position(), 5);
}

TEST_F(DeletionRunTest, hardDriveRemovesMarkedCopiesButNeverTheDataOfALinkOrSecondName)
{
    const QByteArray copy = AddCopyWithTwin(QStringLiteral("copy.jpg"), "copied picture");
    const QByteArray target = Write(QStringLiteral("target.jpg"), "linked picture");
    AddRow(target, false);
    AddRow(Write(QStringLiteral("twin.jpg"), "linked picture"), false);
    const QByteArray link = m_sandbox.Path(QStringLiteral("link.jpg"));
    ASSERT_EQ(::symlink(target.constData(), link.constData()), 0);
    AddRow(link, true);
    const QByteArray secondName = m_sandbox.Path(QStringLiteral("second-name.jpg"));
    ASSERT_EQ(::link(target.constData(), secondName.constData()), 0);
    AddRow(secondName, true);
    const auto before = Files();
    Run(TDeletionMode::HardDrive);
    EXPECT_EQ(Report(), (QStringList{kHardDriveHeader, FileNameToText(copy), FileNameToText(link),
                                     FileNameToText(secondName)}));
    EXPECT_FALSE(Exists(copy));
    EXPECT_FALSE(QFileInfo(QFile::decodeName(link)).isSymLink());
    EXPECT_EQ(Files(), Without(before, {copy, link, secondName}));
}

TEST_F(DeletionRunTest, everyRowMarkedKeepsOneCopyOfEachPictureAndSaysSo)
{
    QList<QByteArray> a, b;
    for (int i = 0; i < 3; ++i)
        a << Write(QStringLiteral("a%1.jpg").arg(i), "picture A");
    for (int i = 0; i < 2; ++i)
        b << Write(QStringLiteral("b%1.jpg").arg(i), "picture B");
    for (const QByteArray& path : {a[0], b[0], a[1], b[1], a[2]})
        AddRow(path, true);
    const auto before = Files();
    Run(TDeletionMode::RecycleBin);
    EXPECT_EQ(Report(),
              (QStringList{kRecycleHeader, FileNameToText(a[1]), FileNameToText(b[1]),
                           FileNameToText(a[2]),
                           QStringLiteral("2 marked files were kept so that every picture keeps a "
                                          "copy:"),
                           FileNameToText(a[0]), FileNameToText(b[0])}));
    EXPECT_EQ(Files(), Without(before, {a[1], b[1], a[2]}));
}

TEST_F(DeletionRunTest, hardDriveEndsAtAFileItCannotOpenAndListsWhatStayed)
{
    const QByteArray first = AddCopyWithTwin(QStringLiteral("first.jpg"), "picture one");
    const QByteArray locked = AddCopyWithTwin(QStringLiteral("locked.jpg"), "picture two");
    const QByteArray last = AddCopyWithTwin(QStringLiteral("last.jpg"), "picture three");
    // Even root cannot open an immutable file for writing.
    if (const int error = SetInodeFlag(locked, FS_IMMUTABLE_FL, true))
        GTEST_SKIP() << "immutable files are not available here: " << strerror(error);
    const auto unlock = qScopeGuard([&] { SetInodeFlag(locked, FS_IMMUTABLE_FL, false); });
    const auto before = Files();
    EXPECT_THROW(Run(TDeletionMode::HardDrive), EFOpenError);
    const QString lockedText = FileNameToText(locked);
    EXPECT_EQ(
        Report(),
        (QStringList{kHardDriveHeader, FileNameToText(first),
                     QStringLiteral("1 marked file could not be removed from the hard drive:"),
                     lockedText + QStringLiteral(": Cannot open file \"%1\". Operation not "
                                                 "permitted")
                                      .arg(lockedText),
                     QStringLiteral("1 marked file was not reached: the run ended before it:"),
                     FileNameToText(last)}));
    EXPECT_EQ(Files(), Without(before, {first})) << "the rows after the error are not visited";
}

TEST_F(DeletionRunTest, everyMarkedFileThatStaysIsListedWithTheSystemsWord)
{
    const QByteArray first = AddCopyWithTwin(QStringLiteral("first.jpg"), "picture one");
    const QByteArray second = AddCopyWithTwin(QStringLiteral("second.jpg"), "picture two");
    // The trash cannot be made: where its data folder would be lies a file.
    Write(QStringLiteral("blocker"), "a file");
    qputenv("XDG_DATA_HOME", m_sandbox.Path(QStringLiteral("blocker/data")));
    const auto before = Files();
    Run(TDeletionMode::RecycleBin);
    EXPECT_EQ(Report(),
              (QStringList{kRecycleHeader, QStringLiteral("No file was removed."),
                           QStringLiteral("2 marked files could not be moved to the "
                                          "trash:"),
                           FileNameToText(first) + QStringLiteral(": Not a directory"),
                           FileNameToText(second) + QStringLiteral(": Not a directory")}));
    EXPECT_EQ(Files(), before);
}

TEST_F(DeletionRunTest, namesWithControlCharactersTakeOneLineEach)
{
    const QByteArray copy = AddCopyWithTwin(QStringLiteral("two\nlines\t.jpg"), "picture");
    const QByteArray kept = m_sandbox.Path(QStringLiteral("bell\a.jpg"));
    ASSERT_EQ(::rename(Write(QStringLiteral("bell"), "alone").constData(), kept.constData()), 0);
    AddRow(kept, true);
    const auto before = Files();
    Run(TDeletionMode::HardDrive);
    const QString folder = m_sandbox.Dir().path();
    EXPECT_EQ(Report(),
              (QStringList{kHardDriveHeader, folder + QStringLiteral("/two\\nlines\\x09.jpg"),
                           QStringLiteral("1 marked file was kept so that every picture "
                                          "keeps a copy:"),
                           folder + QStringLiteral("/bell\\x07.jpg")}));
    EXPECT_EQ(Files(), Without(before, {copy}));
}

TEST_F(DeletionRunTest, withNoRowsTheProgressRangeErrorEndsTheRunAfterTheHeader)
{
    EXPECT_THROW(Run(TDeletionMode::RecycleBin), EInvalidOperation);
    EXPECT_EQ(Report(), QStringList{kRecycleHeader});
}

TEST_F(DeletionRunTest, copyToFolderMovesTheCopiesBelowTheTargetAndListsWhatStayed)
{
    const QByteArray sub = AddCopyWithTwin(QStringLiteral("sub/a.jpg"), "picture a");
    const QByteArray clash = AddCopyWithTwin(QStringLiteral("b.jpg"), "picture b");
    const QByteArray gone = AddCopyWithTwin(QStringLiteral("gone.jpg"), "picture c");
    ASSERT_EQ(::unlink(gone.constData()), 0);
    Write(QStringLiteral("aside/b.jpg"), "was there");
    const auto before = Files();
    const QByteArray aside = m_sandbox.Path(QStringLiteral("aside"));
    RunDeletion({m_grid, m_memo, m_progress, m_abandoned}, TDeletionMode::CopyToFolder,
                {aside, {m_sandbox.Path(QString())}, false});
    EXPECT_EQ(
        Report(),
        (QStringList{QStringLiteral("Next files moved to %1:").arg(FileNameToText(aside)),
                     FileNameToText(sub), FileNameToText(clash),
                     QStringLiteral("1 marked file was already gone:"), FileNameToText(gone)}));
    auto expected = Without(before, {sub, clash});
    expected.insert(QFile::decodeName(aside + "/sub/a.jpg"), "picture a");
    expected.insert(QFile::decodeName(aside + "/b (2).jpg"), "picture b");
    EXPECT_EQ(Files(), expected);
    EXPECT_EQ(m_progress.Position(), 5);
}

TEST_F(DeletionRunTest, copyToFolderOnASecondFileSystemMovesTheCopiesWhole)
{
    if (!SharedMemoryIsAnotherFileSystem(m_sandbox.Path(QString())))
        GTEST_SKIP() << "no second file system at /dev/shm to move to";
    QTemporaryDir target(QStringLiteral("/dev/shm/deletion-run-test-XXXXXX"));
    ASSERT_TRUE(target.isValid());
    const QByteArray copy = AddCopyWithTwin(QStringLiteral("copy.jpg"), "copied picture");
    const auto before = Files();
    RunDeletion({m_grid, m_memo, m_progress, m_abandoned}, TDeletionMode::CopyToFolder,
                {QFile::encodeName(target.path()), {m_sandbox.Path(QString())}, true});
    EXPECT_EQ(Report().mid(1), QStringList{FileNameToText(copy)});
    EXPECT_EQ(Files(), Without(before, {copy}));
    EXPECT_EQ(FilesUnder(target.path()),
              (QMap<QString, QByteArray>{
                  {target.filePath(QStringLiteral("copy.jpg")), "copied picture"}}));
}

TEST_F(DeletionRunTest, marksChangedDuringTheRunNeverRemoveTheCopyThatStays)
{
    AddCopyWithTwin(QStringLiteral("copy.jpg"), "picture");
    // The user swaps the marks while the run handles messages before its first row.
    QTimer::singleShot(0, [this] {
        m_grid.Cell(QStringLiteral("Del"), 0).SetAsBoolean(true);
        m_grid.Cell(QStringLiteral("Del"), 1).SetAsBoolean(false);
    });
    const auto before = Files();
    Run(TDeletionMode::HardDrive);
    EXPECT_EQ(Report(), (QStringList{kHardDriveHeader, QStringLiteral("No file was removed.")}));
    EXPECT_EQ(Files(), before);
}

namespace {

class DeletionWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.IsValid());
        TApplication::Instance()->SetErrorHandler(
            [this](const QString& message) { m_errors << message; });
    }
    void TearDown() override { TApplication::Instance()->SetErrorHandler({}); }

    TrashSandbox m_sandbox;
    QStringList m_errors;
    TForm1 m_form;
};

} // namespace

TEST_F(DeletionWindowTest, deleteTwiceRightAfterASearchRemovesOneCopyOfEachPair)
{
    const QString pictures = m_sandbox.Dir().filePath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(pictures));
    QList<QByteArray> paths;
    for (const char* name : {"a1.jpg", "a2.jpg", "b1.jpg", "b2.jpg", "unique.jpg"}) {
        const QByteArray bytes = QByteArray(200, name[0] == 'u' ? 'u' : name[0]);
        paths << WriteFile(m_sandbox.Dir(), QStringLiteral("pictures/") + QLatin1String(name),
                           bytes);
    }
    const auto before = FilesUnder(pictures);
    m_form.Edit1->setText(pictures);
    QTest::mouseClick(m_form.BitBtn1, Qt::LeftButton);
    ASSERT_EQ(m_form.DataGrid1->RowCount(), 4);
    QTest::mouseClick(m_form.BitBtn5, Qt::LeftButton);
    m_form.RadioButton2->setChecked(true);
    QTest::mouseClick(m_form.BitBtn6, Qt::LeftButton);

    EXPECT_EQ(m_form.PageControl1->ActivePageIndex(), 3);
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join(QLatin1Char('\n'));
    // The search left one copy of each pair unmarked, so nothing had to be kept back.
    const TMemoLines& report = m_form.Memo3->Lines();
    ASSERT_EQ(report.Count(), 3);
    EXPECT_EQ(report.Text(0), kHardDriveHeader);
    auto after = FilesUnder(pictures);
    EXPECT_EQ(after.size(), 3);
    QStringList removed;
    for (int line = 1; line <= 2; ++line) {
        removed << report.Text(line);
        EXPECT_FALSE(after.contains(report.Text(line))) << report.Text(line);
    }
    for (const QString& path : removed)
        after.insert(path, before[path]);
    EXPECT_EQ(after, before) << "the other files stay byte for byte";
    EXPECT_TRUE(m_form.BitBtn6->isEnabled());
}

// The rows of a search still running are not the results yet: Delete waits for them.
TEST_F(DeletionWindowTest, deleteDuringASearchRemovesNothing)
{
    const QString pictures = m_sandbox.Dir().filePath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(pictures));
    for (const char* name : {"a1.jpg", "a2.jpg", "b1.jpg", "b2.jpg"})
        WriteFile(m_sandbox.Dir(), QStringLiteral("pictures/") + QLatin1String(name),
                  QByteArray(200, name[0]));
    const auto before = FilesUnder(pictures);
    bool pressed = false;
    m_form.OnSearchPhase = [&](TSearchPhase phase) {
        if (phase != TSearchPhase::ResultRows || pressed)
            return;
        pressed = true;
        QTimer::singleShot(0, [this] {
            m_form.PageControl1->SetActivePageIndex(2);
            m_form.RadioButton2->setChecked(true);
            QTest::mouseClick(m_form.BitBtn6, Qt::LeftButton);
        });
    };
    m_form.Edit1->setText(pictures);
    QTest::mouseClick(m_form.BitBtn1, Qt::LeftButton);

    EXPECT_TRUE(pressed);
    EXPECT_EQ(m_form.DataGrid1->RowCount(), 4);
    EXPECT_EQ(m_form.Memo3->Lines().Count(), 0);
    EXPECT_EQ(FilesUnder(pictures), before);
}

// A reference file stays whatever its mark says, in both ways of removing; its twins outside
// the reference folder go, since the reference keeps the picture.
TEST_F(DeletionRunTest, referenceFilesStayEvenWhenTheirMarkIsForced)
{
    for (const TDeletionMode mode : {TDeletionMode::RecycleBin, TDeletionMode::HardDrive}) {
        SCOPED_TRACE(mode == TDeletionMode::RecycleBin ? "recycle bin" : "hard drive");
        m_grid.ClearRows();
        m_memo.Lines().Clear();
        const QString tag = QString::number(int(mode));
        const QByteArray reference = Write(QStringLiteral("originals/ref") + tag + ".jpg", "pic");
        const QByteArray copy = Write(QStringLiteral("copy") + tag + ".jpg", "pic");
        AddRow(reference, true);
        m_grid.Cell(QStringLiteral("Ref"), 0).SetAsString(QStringLiteral("True"));
        AddRow(copy, true);
        const auto before = Files();
        Run(mode);
        EXPECT_EQ(Files(), Without(before, {copy}));
        EXPECT_EQ(Report(), (QStringList{mode == TDeletionMode::RecycleBin ? kRecycleHeader
                                                                           : kHardDriveHeader,
                                         FileNameToText(copy)}));
    }
}

// The disk is asked again: a file in a reference folder stays even on a row that does not
// say so, and however the path reaches it.
TEST_F(DeletionRunTest, filesInAReferenceFolderStayWhateverTheRowSays)
{
    const QByteArray reference = Write(QStringLiteral("originals/a.jpg"), "picture");
    const QByteArray link = m_sandbox.Path(QStringLiteral("through"));
    ASSERT_EQ(::symlink(m_sandbox.Path(QStringLiteral("originals")).constData(), link.constData()),
              0);
    AddRow(link + "/a.jpg", true);
    AddRow(Write(QStringLiteral("b.jpg"), "picture"), true);
    const auto before = Files();
    RunDeletion(
        {m_grid, m_memo, m_progress, m_abandoned, {m_sandbox.Path(QStringLiteral("originals"))}},
        TDeletionMode::HardDrive);
    EXPECT_TRUE(Exists(reference));
    EXPECT_EQ(Files(), Without(before, {m_sandbox.Path(QStringLiteral("b.jpg"))}));
}

TEST_F(DeletionWindowTest, copyToSpecifiedFolderAsksWhereAndCancelOrAFolderSearchedChangeNothing)
{
    const QString pictures = m_sandbox.Dir().filePath(QStringLiteral("pictures"));
    for (const char* name : {"a1.jpg", "a2.jpg", "sub/a3.jpg"})
        WriteBytes(QFile::encodeName(pictures + QLatin1Char('/') + QLatin1String(name)),
                   QByteArray(200, 'a'));
    ASSERT_TRUE(QDir().mkpath(pictures + QStringLiteral("/sub/inner")));
    const QString aside = m_sandbox.Dir().filePath(QStringLiteral("aside"));
    ASSERT_TRUE(QDir().mkpath(aside));
    QStringList captions;
    QString answer;
    m_form.Edit1->SetFolderDialog([&](QWidget*, const QString& caption, const QString&) {
        captions << caption;
        return answer;
    });
    m_form.Edit1->setText(pictures);
    m_form.CheckBox1->setChecked(true);
    QTest::mouseClick(m_form.BitBtn1, Qt::LeftButton);
    ASSERT_EQ(m_form.DataGrid1->RowCount(), 3);
    QTest::mouseClick(m_form.BitBtn5, Qt::LeftButton);
    m_form.RadioButton3->setChecked(true);
    const auto before = FilesUnder(m_sandbox.Dir().path());

    // Cancelled: nothing happens, not even the report page.
    QTest::mouseClick(m_form.BitBtn6, Qt::LeftButton);
    EXPECT_EQ(captions, QStringList{QStringLiteral("Select folder")});
    EXPECT_EQ(m_form.PageControl1->ActivePageIndex(), 2);
    EXPECT_EQ(m_form.Memo3->Lines().Count(), 0);

    // A folder whose files were searched: the copies would land among the results.
    answer = pictures + QStringLiteral("/sub/inner");
    QTest::mouseClick(m_form.BitBtn6, Qt::LeftButton);
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains(QStringLiteral("whose subfolders were searched")))
        << m_errors[0];
    EXPECT_EQ(m_form.PageControl1->ActivePageIndex(), 2);
    EXPECT_EQ(m_form.Memo3->Lines().Count(), 0);
    EXPECT_EQ(FilesUnder(m_sandbox.Dir().path()), before);

    answer = aside;
    QTest::mouseClick(m_form.BitBtn6, Qt::LeftButton);
    EXPECT_EQ(m_errors.size(), 1) << m_errors.join(QLatin1Char('\n'));
    EXPECT_EQ(m_form.PageControl1->ActivePageIndex(), 3);
    // The search left one copy unmarked, so the two marked ones move and none is kept back.
    const TMemoLines& report = m_form.Memo3->Lines();
    ASSERT_EQ(report.Count(), 3);
    EXPECT_EQ(report.Text(0), QStringLiteral("Next files moved to %1:").arg(aside));
    auto expected = before;
    for (int line = 1; line <= 2; ++line) {
        const QString moved = report.Text(line);
        ASSERT_TRUE(moved.startsWith(pictures + QLatin1Char('/'))) << moved;
        const QString target = aside + moved.mid(pictures.size());
        expected.insert(target, expected.take(moved));
    }
    EXPECT_EQ(FilesUnder(m_sandbox.Dir().path()), expected);
}

// With further folders each copy keeps its place below the searched folder that holds it, and a
// target inside any searched folder is refused.
TEST_F(DeletionWindowTest, copyToSpecifiedFolderKeepsPlacesBelowEachSearchedFolder)
{
    const QString pictures = m_sandbox.Dir().filePath(QStringLiteral("pictures"));
    const QString more = m_sandbox.Dir().filePath(QStringLiteral("more"));
    for (const QString& name : {pictures + QStringLiteral("/a.jpg"), more + QStringLiteral("/b/a.jpg")})
        WriteBytes(QFile::encodeName(name), QByteArray(200, 'a'));
    for (const QString& name : {pictures + QStringLiteral("/c.jpg"), more + QStringLiteral("/b/c.jpg")})
        WriteBytes(QFile::encodeName(name), QByteArray(300, 'c'));
    const QString aside = m_sandbox.Dir().filePath(QStringLiteral("aside"));
    ASSERT_TRUE(QDir().mkpath(aside));
    QString answer;
    m_form.Edit1->SetFolderDialog([&](QWidget*, const QString&, const QString&) { return answer; });
    m_form.Edit1->setText(pictures);
    m_form.AddFurtherFolder(more);
    m_form.CheckBox1->setChecked(true);
    QTest::mouseClick(m_form.BitBtn1, Qt::LeftButton);
    TDataGrid& grid = *m_form.DataGrid1;
    ASSERT_EQ(grid.RowCount(), 4);
    const TResultColumns at = TResultColumns::Resolve(grid);
    for (int row = 0; row < grid.RowCount(); ++row)
        grid.Cell(at.Del, row).SetAsBoolean(grid.Cell(at.Dest, row).AsString().startsWith(more));
    QTest::mouseClick(m_form.BitBtn5, Qt::LeftButton);
    m_form.RadioButton3->setChecked(true);
    const auto before = FilesUnder(m_sandbox.Dir().path());

    answer = more + QStringLiteral("/b");
    QTest::mouseClick(m_form.BitBtn6, Qt::LeftButton);
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains(QStringLiteral("whose subfolders were searched")))
        << m_errors[0];
    EXPECT_EQ(FilesUnder(m_sandbox.Dir().path()), before);

    answer = aside;
    QTest::mouseClick(m_form.BitBtn6, Qt::LeftButton);
    EXPECT_EQ(m_errors.size(), 1) << m_errors.join(QLatin1Char('\n'));
    auto expected = before;
    for (const char* name : {"/b/a.jpg", "/b/c.jpg"})
        expected.insert(aside + QLatin1String(name), expected.take(more + QLatin1String(name)));
    EXPECT_EQ(FilesUnder(m_sandbox.Dir().path()), expected);
}
