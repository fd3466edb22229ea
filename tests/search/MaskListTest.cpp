#include "search/MaskList.h"

#include "search/FolderExclusions.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

QString ErrorOf(const std::function<void()>& compile)
{
    try {
        compile();
    } catch (const EMaskException& error) {
        return error.Message();
    }
    return {};
}

} // namespace

TEST(MaskListTest, aNameMatchesWhenAnyMaskOfTheListDoes)
{
    const TMaskList list("*.jpg; *.PNG;;[;x]*.gif ;");
    for (const char* name : {"a.jpg", "B.JPG", "c.png", ";.gif", "x.GIF"})
        EXPECT_TRUE(list.MatchName(name)) << name;
    for (const char* name : {"a.jpeg", "a.gif", "png", ""})
        EXPECT_FALSE(list.MatchName(name)) << name;
    // One mask behaves as the single mask did.
    EXPECT_TRUE(TMaskList("*.jpg").MatchName("x.y.jpg"));
    EXPECT_FALSE(TMaskList("*.jpg").MatchName("a.jpg.bak"));
}

TEST(MaskListTest, anEmptyListMatchesNothing)
{
    for (const char* text : {"", ";", " ; ;", "\t"}) {
        const TMaskList list(text);
        EXPECT_TRUE(list.Empty()) << text;
        EXPECT_FALSE(list.MatchName("a.jpg")) << text;
    }
}

// The position counts in the whole list as typed, so the user finds the fault where it is.
TEST(MaskListTest, anInvalidMaskIsReportedAtItsPlaceInTheList)
{
    EXPECT_EQ(ErrorOf([] { TMaskList("*.jpg;[abc"); }),
              QStringLiteral("'*.jpg;[abc' is an invalid mask at (11)"));
    EXPECT_EQ(ErrorOf([] { TMaskList("*.jpg;  []x"); }),
              QStringLiteral("'*.jpg;  []x' is an invalid mask at (10)"));
    EXPECT_EQ(ErrorOf([] { TMaskList("[-a];*.png"); }),
              QStringLiteral("'[-a];*.png' is an invalid mask at (2)"));
    EXPECT_TRUE(ErrorOf([] { TMaskList("*.jpg;*.png"); }).isEmpty());
}

TEST(FolderExclusionsTest, namesMatchTheLastComponentAndPathsTheWholePath)
{
    const TFolderExclusions skip(".git; node_modules;@eaDir;/srv/photos/cache/;/home/*/.thumb*");
    for (const char* path : {"/a/.git", "/a/b/NODE_MODULES", "/x/@eadir", "/srv/photos/cache",
                             "/home/me/.thumbnails", "/.git"})
        EXPECT_TRUE(skip.Excludes(path)) << path;
    for (const char* path : {"/a/git", "/a/.git2", "/a/.git/inner", "/srv/photos/cache2",
                             "/x/srv/photos/cache", "/srv/photos", "/home/me/thumbs"})
        EXPECT_FALSE(skip.Excludes(path)) << path;
}

TEST(FolderExclusionsTest, noPatternsExcludeNothingAndBadOnesAreNamed)
{
    EXPECT_TRUE(TFolderExclusions("").Empty());
    EXPECT_TRUE(TFolderExclusions(" ; ").Empty());
    EXPECT_FALSE(TFolderExclusions(" ; ").Excludes("/a/b"));
    EXPECT_EQ(ErrorOf([] { TFolderExclusions(".git;/a/[b"); }),
              QStringLiteral("'.git;/a/[b' is an invalid mask at (11)"));
}
