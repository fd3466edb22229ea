#include "platform/FileNames.h"

#include <gtest/gtest.h>

TEST(FileNamesTest, validUtf8ReadsAsItsCharacters)
{
    EXPECT_EQ(FileNameToText("/home/ana/f\xC3\xA9te.jpg"),
              QStringLiteral("/home/ana/f\u00E9te.jpg"));
    EXPECT_EQ(FileNameToText("\xF0\x9F\x98\x80"), QString::fromUtf8("\xF0\x9F\x98\x80"));
}

TEST(FileNamesTest, everyByteStringSurvivesTheRoundTrip)
{
    const QByteArray names[] = {
        "",
        "plain.jpg",
        "a b\n\"c'.jpg",
        "\xFF\xFE.jpg",
        "latin1 f\xE9te.jpg",
        "\xC3",
        "\xE2\x82",
        "\xED\xA0\x80 (encoded surrogate)",
        "\xC0\xAF (overlong)",
        "\xF4\x90\x80\x80 (beyond U+10FFFF)",
        // U+10080: its low surrogate lies in the escape range.
        "\xF0\x90\x82\x80",
        "\xF0\x90\x82\x80\x80",
    };
    for (const QByteArray& name : names)
        EXPECT_EQ(TextToFileName(FileNameToText(name)), name) << name.toHex().constData();
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray name(1, char(byte));
        EXPECT_EQ(TextToFileName(FileNameToText(name)), name) << byte;
    }
}

TEST(FileNamesTest, invalidBytesBecomeDistinctCharacters)
{
    EXPECT_NE(FileNameToText("\xFF.jpg"), FileNameToText("\xFE.jpg"));
    EXPECT_EQ(FileNameToText("\xFF").size(), 1);
}

TEST(FileNamesTest, folderOfKeepsTheRootButNoOtherTrailingSlash)
{
    EXPECT_EQ(FolderOf("/pics/a.jpg"), QByteArray("/pics"));
    EXPECT_EQ(FolderOf("/pics/deeper/"), QByteArray("/pics/deeper"));
    EXPECT_EQ(FolderOf("/a.jpg"), QByteArray("/"));
    EXPECT_EQ(FolderOf("//a.jpg"), QByteArray("//"));
    EXPECT_EQ(FolderOf("a.jpg"), QByteArray());
    EXPECT_EQ(FolderOf("/caf\xe9/b.jpg"), QByteArray("/caf\xe9"));
}
