#include "search/FolderScan.h"

#include "SearchViewFixture.h"
#include "platform/FileSystem.h"
#include "search/Masks.h"
#include "support/CapturedWarnings.h"
#include "support/FailingFileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace {

class FolderScanTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = QFile::encodeName(m_dir.path());
        m_controls.StopFlag = 0;
        m_controls.Label1.setText(QStringLiteral("untouched"));
        m_controls.Label3.setText(QStringLiteral("untouched"));
    }

    // Creates a file (and its folders) under the root; the name is taken byte for byte.
    QByteArray Touch(const QByteArray& relative)
    {
        const QByteArray path = m_root + '/' + relative;
        const qsizetype slash = relative.lastIndexOf('/');
        if (slash > 0)
            QDir().mkpath(QFile::decodeName(m_root + '/' + relative.left(slash)));
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        EXPECT_GE(fd, 0) << path.constData();
        ::close(fd);
        return path;
    }

    void Link(const QByteArray& target, const QByteArray& relative)
    {
        ASSERT_EQ(::symlink(target.constData(), (m_root + '/' + relative).constData()), 0);
    }

    QList<QByteArray> Scan(const QByteArray& folder, const QByteArray& mask, bool recurse,
                           TFileSystem& files = HostFileSystem())
    {
        ScanFolder(folder, mask, m_controls.Memo1.Lines(), recurse, m_controls.View(), files);
        return m_controls.Found();
    }

    // The same walk through Qt's own directory iteration, which lists entries in the order the
    // file system returns them as well.
    static QList<QByteArray> Expected(const QByteArray& folder, const QByteArray& suffix,
                                      bool recurse)
    {
        QList<QByteArray> expected;
        QDirIterator it(QFile::decodeName(folder),
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            const QByteArray path = folder + '/' + QFile::encodeName(it.fileName());
            if (it.fileInfo().isDir()) {
                if (recurse)
                    expected += Expected(path, suffix, recurse);
            } else if (path.toLower().endsWith(suffix))
                expected << path;
        }
        return expected;
    }

    QTemporaryDir m_dir;
    QByteArray m_root;
    SearchControls m_controls;
};

// Runs the action at the first point where the scan lets messages be handled.
void AtFirstMessage(std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
}

} // namespace

TEST_F(FolderScanTest, listsMatchingFilesOfOneFolderInEnumerationOrder)
{
    for (const char* name : {"b.jpg", "a.JPG", ".hidden.jpg", "c.jpeg", "d.png", "e.jpg.txt"})
        Touch(name);
    QDir(m_dir.path()).mkdir(QStringLiteral("photos.jpg"));
    Touch("photos.jpg/inner.jpg");

    const QList<QByteArray> found = Scan(m_root, "*.jpg", false);
    EXPECT_EQ(found, Expected(m_root, ".jpg", false));
    EXPECT_EQ(
        std::set<QByteArray>(found.begin(), found.end()),
        (std::set<QByteArray>{m_root + "/b.jpg", m_root + "/a.JPG", m_root + "/.hidden.jpg"}));
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("untouched"));
    EXPECT_EQ(m_controls.Label3.text(), QStringLiteral("untouched"));
    EXPECT_FALSE(m_controls.Memo1.Lines().Updating());
}

TEST_F(FolderScanTest, trailingSeparatorMakesNoDifference)
{
    Touch("x.jpg");
    EXPECT_EQ(Scan(m_root + '/', "*.jpg", false), QList<QByteArray>{m_root + "/x.jpg"});
    m_controls.Memo1.Lines().Clear();
    EXPECT_EQ(Scan(m_root, "*.jpg", false), QList<QByteArray>{m_root + "/x.jpg"});
}

TEST_F(FolderScanTest, recursionInsertsEachSubfolderWhereItIsMet)
{
    for (const char* name : {"1.jpg", "2.jpg", "a/3.jpg", "a/deep/4.jpg", "a/deep/5.jpg", "b/6.jpg",
                             "b/7.jpg", "b/8.png", "c/empty.txt", "photos.jpg/9.jpg"})
        Touch(name);

    const QList<QByteArray> found = Scan(m_root, "*.jpg", true);
    EXPECT_EQ(found, Expected(m_root, ".jpg", true));
    EXPECT_EQ(found.size(), 8);
    EXPECT_FALSE(found.contains(m_root + "/photos.jpg"));
    EXPECT_TRUE(m_controls.Label1.text().startsWith(QStringLiteral("Finding files: ") +
                                                    m_dir.path() + '/'));
    EXPECT_EQ(m_controls.Label3.text(), QStringLiteral("Quantity of found files 8"));
}

TEST_F(FolderScanTest, namesKeepTheirExactBytes)
{
    const QList<QByteArray> names{"with blank.jpg",     "quote\"s'.jpg", "new\nline.jpg",
                                  "latin1 caf\xe9.jpg", "-dash.jpg",     "back\\slash.jpg"};
    std::set<QByteArray> expected;
    for (const QByteArray& name : names)
        expected.insert(Touch(name));
    const QList<QByteArray> found = Scan(m_root, "*.jpg", false);
    EXPECT_EQ(std::set<QByteArray>(found.begin(), found.end()), expected);
}

// Each folder is walked once, at the first path that reaches it; entries that cannot be
// examined (a broken link, a loop of links) are skipped.
TEST_F(FolderScanTest, linksAreFollowedButEachFolderIsEnteredOnce)
{
    Touch("a/1.jpg");
    Touch("2.jpg");
    Link(m_root, "a/up");     // back to the root: a cycle
    Link(m_root + "/a", "b"); // a second way into a
    Link(m_root + "/2.jpg", "a/same.jpg");
    Link(m_root + "/nowhere", "broken.jpg");
    Link("loop.jpg", "loop.jpg");

    const QList<QByteArray> found = Scan(m_root, "*.jpg", true);
    ASSERT_EQ(found.size(), 3);
    const QByteArray folder = found.contains(m_root + "/a/1.jpg") ? "/a/" : "/b/";
    EXPECT_EQ(std::set<QByteArray>(found.begin(), found.end()),
              (std::set<QByteArray>{m_root + "/2.jpg", m_root + folder + "1.jpg",
                                    m_root + folder + "same.jpg"}));
}

// Folders that each link to all the others once gave every order of them as a path.
TEST_F(FolderScanTest, foldersLinkedToEachOtherAreWalkedOnceEach)
{
    constexpr int kFolders = 7;
    Touch("d1/f.jpg");
    for (int i = 1; i <= kFolders; ++i) {
        QDir().mkpath(QFile::decodeName(m_root + "/d" + QByteArray::number(i)));
        for (int j = 1; j <= kFolders; ++j)
            if (i != j)
                Link(m_root + "/d" + QByteArray::number(j),
                     "d" + QByteArray::number(i) + "/to" + QByteArray::number(j));
    }
    const QList<QByteArray> found = Scan(m_root, "*.jpg", true);
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].endsWith("/f.jpg"));
    EXPECT_EQ(FileSizeOf(found[0]), 0.0);
}

TEST_F(FolderScanTest, selfLinkEndsToo)
{
    Touch("x.jpg");
    Link(".", "self");
    EXPECT_EQ(Scan(m_root, "*.jpg", true), QList<QByteArray>{m_root + "/x.jpg"});
}

TEST_F(FolderScanTest, folderThatCannotBeReadYieldsNothing)
{
    Touch("file.jpg");
    EXPECT_TRUE(Scan(m_root + "/missing", "*.jpg", true).isEmpty());
    EXPECT_TRUE(Scan(m_root + "/file.jpg", "*.jpg", true).isEmpty());
    EXPECT_FALSE(m_controls.Memo1.Lines().Updating());

    Touch("locked/in.jpg");
    FailingFileSystem files;
    files.Fail(FailingFileSystem::Call::OpenFolder, m_root + "/locked", EACCES);
    m_controls.Memo1.Lines().Clear();
    EXPECT_EQ(Scan(m_root, "*.jpg", true, files), QList<QByteArray>{m_root + "/file.jpg"});
    EXPECT_TRUE(files.OpenedFolders().contains(m_root + "/locked"));
}

// A disk that fails in the middle of a folder: the files listed before the failure stay, the
// walk goes on with the other folders, and the failure is told with the folder's name.
TEST_F(FolderScanTest, folderFailingPartWayKeepsWhatWasReadAndWarns)
{
    for (int i = 0; i < 10; ++i)
        Touch("bad/" + QByteArray::number(i) + ".jpg");
    Touch("good/x.jpg");
    const QByteArray bad = m_root + "/bad";
    constexpr int kReadBeforeFailure = 6;
    QList<QByteArray> readBeforeFailure;
    {
        int error = 0;
        const auto listing = HostFileSystem().OpenFolder(bad, error);
        ASSERT_TRUE(listing);
        TFolderEntry entry;
        for (int i = 0; i < kReadBeforeFailure && listing->Next(entry); ++i)
            if (QByteArray(entry.Name).endsWith(".jpg"))
                readBeforeFailure << bad + '/' + entry.Name;
    }
    ASSERT_GE(readBeforeFailure.size(), kReadBeforeFailure - 2);

    FailingFileSystem files;
    files.Fail(FailingFileSystem::Call::ReadFolder, bad, EIO, kReadBeforeFailure);
    const CapturedWarnings warnings;
    const QList<QByteArray> found = Scan(m_root, "*.jpg", true, files);

    QList<QByteArray> fromBad;
    for (const QByteArray& path : found)
        if (path.startsWith(bad + '/'))
            fromBad << path;
    EXPECT_EQ(fromBad, readBeforeFailure);
    EXPECT_TRUE(found.contains(m_root + "/good/x.jpg"));
    ASSERT_EQ(warnings.Lines().size(), 1);
    EXPECT_TRUE(warnings.Lines()[0].contains(bad));
    EXPECT_TRUE(warnings.Lines()[0].contains(strerror(EIO)));
}

TEST_F(FolderScanTest, invalidMaskFailsAtTheFirstTestedNameAndEndsUpdateMode)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("only folders"));
    EXPECT_NO_THROW(Scan(m_root, "[", true));
    Touch("only folders/x.jpg");
    EXPECT_THROW(Scan(m_root, "[", true), EMaskException);
    EXPECT_FALSE(m_controls.Memo1.Lines().Updating());
}

TEST_F(FolderScanTest, stopEndsTheScanAfterTheNextAddedFile)
{
    for (int i = 0; i < 50; ++i)
        Touch(QByteArray::number(i) + ".jpg");
    bool updatingDuringScan = false;
    AtFirstMessage([this, &updatingDuringScan] {
        updatingDuringScan = m_controls.Memo1.Lines().Updating();
        m_controls.StopFlag = 1;
    });
    EXPECT_EQ(Scan(m_root, "*.jpg", true).size(), 1);
    EXPECT_TRUE(updatingDuringScan);
    EXPECT_FALSE(m_controls.Memo1.Lines().Updating());
}

TEST_F(FolderScanTest, stopUnwindsEveryLevelNamingEachFinishedParent)
{
    Touch("a/b/c/x.jpg");
    Touch("a/b/c/y.jpg");
    Touch("a/b/c/z.jpg");
    AtFirstMessage([this] { m_controls.StopFlag = 1; });
    EXPECT_EQ(Scan(m_root, "*.jpg", true).size(), 1);
    // The subfolders met before the check are still entered; the last label names the topmost.
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finding files: ") + m_dir.path() + "/a");
    EXPECT_EQ(m_controls.Label3.text(), QStringLiteral("Quantity of found files 1"));
}

TEST_F(FolderScanTest, stopRequestedDuringAFolderWithoutMatchesEndsAfterTheSubfolder)
{
    Touch("a/x.png");
    Touch("b/y.png");
    AtFirstMessage([this] { m_controls.StopFlag = 1; });
    Scan(m_root, "*.jpg", true);
    // Only one of the two subfolders is finished before the check stops the walk.
    EXPECT_TRUE(m_controls.Label1.text().endsWith("/a") != m_controls.Label1.text().endsWith("/b"));
    EXPECT_EQ(m_controls.Label3.text(), QStringLiteral("Quantity of found files 0"));
}

TEST_F(FolderScanTest, closedWindowUnwindsTheScanAtOnce)
{
    for (int i = 0; i < 20; ++i)
        Touch("sub/" + QByteArray::number(i) + ".jpg");
    AtFirstMessage([this] { m_controls.Abandoned = true; });
    EXPECT_THROW(Scan(m_root, "*.jpg", true), ESearchAbandoned);
    EXPECT_LE(m_controls.Memo1.Lines().Count(), 1);
    EXPECT_FALSE(m_controls.Memo1.Lines().Updating());
}
