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
#include "support/TestSupport.h"
#include "support/TrashSandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
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
        return WriteFile(m_sandbox.Dir(), name, bytes);
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
    EXPECT_EQ(Report(),
              (QStringList{kRecycleHeader, FileNameToText(first), FileNameToText(third)}));
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

TEST_F(DeletionRunTest, hardDriveEndsAtAFileItCannotOpenAndKeepsTheReportSoFar)
{
    const QByteArray first = AddCopyWithTwin(QStringLiteral("first.jpg"), "picture one");
    const QByteArray vanished = AddCopyWithTwin(QStringLiteral("vanished.jpg"), "picture two");
    const QByteArray last = AddCopyWithTwin(QStringLiteral("last.jpg"), "picture three");
    ASSERT_EQ(::unlink(vanished.constData()), 0);
    EXPECT_THROW(Run(TDeletionMode::HardDrive), EFOpenError);
    EXPECT_EQ(Report(), (QStringList{kHardDriveHeader, FileNameToText(first)}));
    EXPECT_TRUE(Exists(last)) << "the rows after the error are not visited";
}

TEST_F(DeletionRunTest, withNoRowsTheProgressRangeErrorEndsTheRunAfterTheHeader)
{
    EXPECT_THROW(Run(TDeletionMode::RecycleBin), EInvalidOperation);
    EXPECT_EQ(Report(), QStringList{kRecycleHeader});
}

TEST_F(DeletionRunTest, copyToFolderWalksTheRowsAndTouchesNothing)
{
    AddCopyWithTwin(QStringLiteral("copy.jpg"), "picture");
    const auto before = Files();
    Run(TDeletionMode::CopyToFolder);
    EXPECT_TRUE(Report().isEmpty());
    EXPECT_EQ(m_progress.Position(), 1);
    EXPECT_EQ(Files(), before);
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
    EXPECT_EQ(Report(), QStringList{kHardDriveHeader});
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
    const TMemoLines& report = m_form.Memo3->Lines();
    ASSERT_EQ(report.Count(), 6);
    EXPECT_EQ(report.Text(0), kHardDriveHeader);
    auto after = FilesUnder(pictures);
    EXPECT_EQ(after.size(), 3);
    QStringList removed;
    for (int line = 1; line <= 2; ++line) {
        removed << report.Text(line);
        EXPECT_FALSE(after.contains(report.Text(line))) << report.Text(line);
    }
    EXPECT_EQ(report.Text(3).left(2), QStringLiteral("2 "));
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
