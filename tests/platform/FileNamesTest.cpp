#include "platform/FileNames.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

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
        // A byte-order mark is part of the name, at the start and after an escaped byte.
        "\xEF\xBB\xBFphoto.jpg",
        "x\xFF\xEF\xBB\xBFphoto.jpg",
        "\xEF\xBB\xBF\xEF\xBB\xBF",
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

TEST(FileNamesTest, namesThatDifferOnlyByAByteOrderMarkStayApart)
{
    EXPECT_NE(FileNameToText("x\xFFphoto.jpg"), FileNameToText("x\xFF\xEF\xBB\xBFphoto.jpg"));
    EXPECT_NE(FileNameToText("photo.jpg"), FileNameToText("\xEF\xBB\xBFphoto.jpg"));
}

// Random names weighted towards the bytes that make UTF-8 hard: continuation bytes, lead bytes,
// the parts of a byte-order mark and of surrogates.
TEST(FileNamesTest, randomByteNamesComeBackExactlyAndNeverMeet)
{
    static constexpr unsigned char kTricky[] = {0x00, 0x2F, 0x41, 0x7F, 0x80, 0xBF, 0xC0, 0xC3,
                                                0xDC, 0xE0, 0xED, 0xEF, 0xBB, 0xF0, 0xF4, 0xFF};
    std::mt19937 random(20261208);
    std::set<QString> texts;
    std::set<QByteArray> names;
    for (int n = 0; n < 20000; ++n) {
        QByteArray name;
        const int length = int(random() % 12);
        for (int i = 0; i < length; ++i)
            name += random() % 2 ? char(kTricky[random() % sizeof kTricky]) : char(random() % 256);
        const QString text = FileNameToText(name);
        ASSERT_EQ(TextToFileName(text), name) << name.toHex().constData();
        if (names.insert(name).second) {
            ASSERT_TRUE(texts.insert(text).second) << name.toHex().constData();
        }
    }
}

TEST(FileNamesTest, folderOfKeepsTheRootButNoOtherTrailingSlash)
{
    EXPECT_EQ(FolderOf("/pics/a.jpg"), QByteArray("/pics"));
    EXPECT_EQ(FolderOf("/pics/deeper/"), QByteArray("/pics/deeper"));
    EXPECT_EQ(FolderOf("/a.jpg"), QByteArray("/"));
    EXPECT_EQ(FolderOf("//a.jpg"), QByteArray("//"));
    EXPECT_EQ(FolderOf("a.jpg"), QByteArray("."));
    EXPECT_EQ(FolderOf("/caf\xe9/b.jpg"), QByteArray("/caf\xe9"));
}
