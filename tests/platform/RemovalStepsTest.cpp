#include "platform/RemovalSteps.h"

#include <gtest/gtest.h>
#include <set>

TEST(RemovalStepsTest, numberedNamesGoBeforeTheExtensionAndFitTheLimit)
{
    EXPECT_EQ(NumberedName("a.jpg", 1, 255), "a.jpg");
    EXPECT_EQ(NumberedName("a.jpg", 3, 255), "a (3).jpg");
    EXPECT_EQ(NumberedName("archive.tar.gz", 2, 255), "archive.tar (2).gz");
    EXPECT_EQ(NumberedName(".hidden", 2, 255), ".hidden (2)") << "a leading dot is no extension";
    EXPECT_EQ(NumberedName("plain", 2, 255), "plain (2)");
    // Cut at the end of the stem, never inside a character: "é" is two bytes.
    EXPECT_EQ(NumberedName("abc\xC3\xA9.jpg", 2, 11), "abc (2).jpg");
    EXPECT_EQ(NumberedName("abc\xC3\xA9.jpg", 2, 12), "abc (2).jpg");
    EXPECT_EQ(NumberedName("abc\xC3\xA9.jpg", 2, 13), "abc\xC3\xA9 (2).jpg");
    const QByteArray longName = QByteArray(300, 'x') + ".jpg";
    EXPECT_EQ(NumberedName(longName, 12, 245).size(), 245);
    EXPECT_TRUE(NumberedName(longName, 12, 245).endsWith(" (12).jpg"));
}

TEST(RemovalStepsTest, aFreeNumberIsFoundInFewProbesAndTheSearchEnds)
{
    for (const int takenUpTo : {0, 1, 2, 7, 1000, 123456}) {
        int probes = 0;
        const int number = FreeNumber([&](int n) {
            ++probes;
            return n <= takenUpTo;
        });
        EXPECT_EQ(number, takenUpTo + 1);
        EXPECT_LE(probes, 40) << takenUpTo;
    }
    // With holes, whatever is found is free.
    const std::set<int> taken{1, 2, 3, 5, 6, 8};
    const int number = FreeNumber([&](int n) { return taken.count(n) > 0; });
    EXPECT_EQ(taken.count(number), 0u);
    int probes = 0;
    EXPECT_EQ(FreeNumber([&](int) { return ++probes > 0; }), 0);
    EXPECT_LE(probes, 40);
}
