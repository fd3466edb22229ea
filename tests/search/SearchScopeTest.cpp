#include "SampleImages.h"
#include "SearchViewFixture.h"
#include "platform/FileSystem.h"
#include "search/FolderScan.h"
#include "search/ReferenceFolders.h"
#include "search/ReferenceRows.h"
#include "search/SearchRun.h"
#include "support/FailingFileSystem.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <unistd.h>

namespace {

// A result row as these tests look at it.
struct ScopeRow
{
    bool reference;
    bool marked;
    friend bool operator==(const ScopeRow&, const ScopeRow&) = default;
};

void PrintTo(const ScopeRow& row, std::ostream* out)
{
    *out << (row.reference ? "reference" : "ordinary") << (row.marked ? ", marked" : "");
}

// Searches over several folders of one temporary tree: a, b, ... below the root.
class SearchScopeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = QFile::encodeName(m_dir.path());
        m_controls.FolderNotice = [this](const QString& text) {
            m_notices << text;
        };
        // As in the window: every new row takes the column defaults, so it starts marked.
        m_controls.DataGrid1.SetOptions({goUseDefaultValues});
    }

    QByteArray Folder(const char* relative) const { return m_root + '/' + relative; }

    // A file of 500 bytes whose content the seed decides.
    QByteArray Make(const char* relative, int seed)
    {
        QByteArray bytes(500, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 31 + seed * 17) & 0xFF);
        const QString name = QString::fromLatin1(relative);
        QDir().mkpath(QFileInfo(m_dir.filePath(name)).path());
        return WriteFile(m_dir, name, bytes);
    }

    QList<QByteArray> Scan(std::vector<QByteArray> folders, const QByteArray& skip = {},
                           bool recurse = true, TFileSystem& files = HostFileSystem())
    {
        m_controls.StopFlag = 0;
        ScanFolders({std::move(folders), "*.jpg", recurse, skip}, m_controls.Memo1.Lines(),
                    m_controls.View(), files);
        return m_controls.Found();
    }

    void Run(const char* first, std::vector<TSearchFolder> more, const QByteArray& skip = {})
    {
        m_controls.StopFlag = 0;
        RunSearch(m_controls.View(), {Folder(first), "*.jpg", true, std::move(more), skip});
    }

    // Each result row by its path below the root.
    std::map<QString, ScopeRow> Rows()
    {
        TDataGrid& grid = m_controls.DataGrid1;
        const TReferenceRows references(grid);
        std::map<QString, ScopeRow> rows;
        for (int row = 0; row < grid.RowCount(); ++row)
            rows[grid.Cell(QStringLiteral("Dest"), row).AsString().mid(m_dir.path().size() + 1)] = {
                references.Contains(row), grid.Cell(QStringLiteral("Del"), row).AsBoolean()};
        return rows;
    }

    QTemporaryDir m_dir;
    QByteArray m_root;
    SearchControls m_controls;
    QStringList m_notices;
};

} // namespace

TEST_F(SearchScopeTest, foldersAreScannedInTheirOrderEachOnce)
{
    Make("a/1.jpg", 1);
    Make("a/inner/2.jpg", 2);
    Make("b/3.jpg", 3);
    // b, a nested folder of a, and a again (written differently) add nothing twice.
    const QList<QByteArray> found =
        Scan({Folder("b"), Folder("a"), Folder("a/inner"), Folder("a/"), Folder("b/../b")});
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found[0], Folder("b/3.jpg"));
    EXPECT_EQ(
        std::set<QByteArray>(found.begin(), found.end()),
        (std::set<QByteArray>{Folder("b/3.jpg"), Folder("a/1.jpg"), Folder("a/inner/2.jpg")}));
    EXPECT_TRUE(m_notices.isEmpty());
}

TEST_F(SearchScopeTest, aNestedFolderWithoutSubfoldersIsStillSearchedItself)
{
    Make("a/1.jpg", 1);
    Make("a/inner/2.jpg", 2);
    EXPECT_EQ(Scan({Folder("a"), Folder("a/inner")}, {}, false),
              (QList<QByteArray>{Folder("a/1.jpg"), Folder("a/inner/2.jpg")}));
}

// The other folders are searched; each one that is not is named once in the status area.
TEST_F(SearchScopeTest, missingUnreadableAndExcludedFoldersAreToldOnce)
{
    Make("a/1.jpg", 1);
    Make("locked/2.jpg", 2);
    Make("skipped/3.jpg", 3);
    FailingFileSystem files;
    files.Fail(FailingFileSystem::Call::OpenFolder, Folder("locked"), EACCES);
    const QList<QByteArray> found = Scan({Folder("a"), Folder("missing"), Folder("locked"),
                                          Folder("skipped"), Folder("missing"), Folder("skipped/")},
                                         "skipped", true, files);
    EXPECT_EQ(found, QList<QByteArray>{Folder("a/1.jpg")});
    EXPECT_EQ(m_notices, (QStringList{QStringLiteral("Not searched: %1 (No such file or directory)")
                                          .arg(QFile::decodeName(Folder("missing"))),
                                      QStringLiteral("Not searched: %1 (Permission denied)")
                                          .arg(QFile::decodeName(Folder("locked"))),
                                      QStringLiteral("Not searched: %1 (it is excluded)")
                                          .arg(QFile::decodeName(Folder("skipped")))}));
    EXPECT_FALSE(files.OpenedFolders().contains(Folder("skipped")));
}

// The first folder is Edit1's: a one-folder search says nothing about a missing folder.
TEST_F(SearchScopeTest, theFirstFolderKeepsItsSilence)
{
    EXPECT_TRUE(Scan({Folder("missing")}).isEmpty());
    EXPECT_TRUE(m_notices.isEmpty());
}

TEST_F(SearchScopeTest, excludedFoldersAreNotEnteredByNameOrPath)
{
    Make("a/1.jpg", 1);
    Make("a/.git/2.jpg", 2);
    Make("a/b/cache/3.jpg", 3);
    Make("a/c/cache/4.jpg", 4);
    FailingFileSystem files;
    const QList<QByteArray> found = Scan({Folder("a")}, ".GIT;" + Folder("a/b/cache"), true, files);
    EXPECT_EQ(std::set<QByteArray>(found.begin(), found.end()),
              (std::set<QByteArray>{Folder("a/1.jpg"), Folder("a/c/cache/4.jpg")}));
    EXPECT_FALSE(files.OpenedFolders().contains(Folder("a/.git")));
    EXPECT_FALSE(files.OpenedFolders().contains(Folder("a/b/cache")));
}

TEST_F(SearchScopeTest, aThousandListedFoldersAreSearchedAndTheMissingOnesTold)
{
    std::vector<QByteArray> folders;
    for (int i = 0; i < 1000; ++i) {
        const QByteArray name = "f" + QByteArray::number(i);
        if (i % 2 == 0)
            Make((name + "/x.jpg").constData(), i);
        folders.push_back(Folder(name.constData()));
    }
    EXPECT_EQ(Scan(folders).size(), 500);
    EXPECT_EQ(m_notices.size(), 500);
}

TEST_F(SearchScopeTest, twinsAcrossTwoFoldersAreFound)
{
    Make("import/a.jpg", 1);
    Make("backup/copy of a.jpg", 1);
    Make("import/b.jpg", 2);
    Run("import", {{Folder("backup"), false}});
    // The copy made first (or, made within the same two seconds, the shorter path) stays.
    EXPECT_EQ(Rows(), (std::map<QString, ScopeRow>{{"import/a.jpg", {false, false}},
                                                   {"backup/copy of a.jpg", {false, true}}}));
}

// Reference copies are listed in their groups, locked and unmarked; a group made only of
// reference files is no result.
TEST_F(SearchScopeTest, referenceFilesAreListedUnmarkedAndReferenceOnlyGroupsLeftOut)
{
    Make("import/a.jpg", 1);
    Make("import/a2.jpg", 1);
    Make("archive/a.jpg", 1);
    Make("archive/old/a.jpg", 1);
    Make("archive/b.jpg", 2);
    Make("archive/old/b.jpg", 2);
    Make("import/c.jpg", 3);
    Make("import/c2.jpg", 3);
    Run("import", {{Folder("archive"), true}});
    // The reference copies keep their picture, so every other copy of it is marked; a group
    // without one keeps its oldest copy.
    EXPECT_EQ(Rows(), (std::map<QString, ScopeRow>{{"import/a.jpg", {false, true}},
                                                   {"import/a2.jpg", {false, true}},
                                                   {"archive/a.jpg", {true, false}},
                                                   {"archive/old/a.jpg", {true, false}},
                                                   {"import/c.jpg", {false, false}},
                                                   {"import/c2.jpg", {false, true}}}));
}

// An excluded reference folder is not searched (and said once), yet its files stay protected
// wherever else the search meets them.
TEST_F(SearchScopeTest, anExcludedReferenceFolderIsNotSearchedButStillProtected)
{
    Make("import/a.jpg", 1);
    Make("archive/sub/a.jpg", 1);
    ASSERT_EQ(::symlink(Folder("archive/sub").constData(), Folder("import/link").constData()), 0);
    Run("import", {{Folder("archive"), true}}, "archive");
    EXPECT_EQ(Rows(), (std::map<QString, ScopeRow>{{"import/a.jpg", {false, true}},
                                                   {"import/link/a.jpg", {true, false}}}));
    EXPECT_EQ(m_notices, QStringList{QStringLiteral("Not searched: %1 (it is excluded)")
                                         .arg(QFile::decodeName(Folder("archive")))});
}

TEST_F(SearchScopeTest, referenceFoldersAreKnownByWhatReallyHoldsTheFile)
{
    Make("archive/sub/a.jpg", 1);
    Make("archive2/a.jpg", 1);
    Make("other/a.jpg", 1);
    ASSERT_EQ(::symlink(Folder("archive/sub").constData(), Folder("other/link").constData()), 0);
    ASSERT_EQ(::symlink(Folder("archive").constData(), Folder("alias").constData()), 0);
    const TReferenceFolders references({Folder("alias"), Folder("missing")}, HostFileSystem());
    EXPECT_TRUE(references.Contains(Folder("archive/sub/a.jpg")));
    EXPECT_TRUE(references.Contains(Folder("other/link/a.jpg")));
    EXPECT_TRUE(references.Contains(Folder("alias/sub/a.jpg")));
    EXPECT_FALSE(references.Contains(Folder("archive2/a.jpg")));
    EXPECT_FALSE(references.Contains(Folder("other/a.jpg")));
    EXPECT_FALSE(TReferenceFolders().Contains(Folder("archive/sub/a.jpg")));
}
