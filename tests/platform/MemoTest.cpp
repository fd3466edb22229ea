#include "platform/Memo.h"

#include "platform/Exception.h"

#include <QTextBlock>
#include <gtest/gtest.h>

TEST(MemoLinesTest, keepsTheExactBytesOfEveryLine)
{
    TMemoLines lines;
    const QByteArray latin1Name("/tmp/caf\xe9.jpg");
    const QByteArray odd("/tmp/a \"quoted\"\nname.jpg");
    lines.Add(latin1Name);
    lines.Add(QByteArray());
    lines.Add(odd);
    lines.AddText(QStringLiteral("Zürich"));
    ASSERT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Line(0), latin1Name);
    EXPECT_EQ(lines.Line(1), QByteArray());
    EXPECT_EQ(lines.Line(2), odd);
    EXPECT_EQ(lines.Line(3), QByteArray("Z\xc3\xbcrich"));
    EXPECT_EQ(lines.Text(3), QStringLiteral("Zürich"));
}

TEST(MemoLinesTest, indexOutsideTheListRaisesTheListError)
{
    TMemoLines lines;
    lines.Add("a");
    try {
        lines.Line(1);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (1)"));
    }
    EXPECT_THROW(lines.Line(-1), EListError);
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_THROW(lines.Line(0), EListError);
}

TEST(MemoLinesTest, updateModeNestsAndReportsOnceAtTheOutermostEnd)
{
    int changes = 0;
    TMemoLines lines([&changes] { ++changes; });
    lines.Add("a");
    EXPECT_EQ(changes, 1);
    lines.BeginUpdate();
    lines.BeginUpdate();
    lines.Add("b");
    lines.Clear();
    lines.Add("c");
    lines.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(lines.Updating());
    lines.EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(lines.Updating());
    lines.EndUpdate(); // unmatched: ignored
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Line(0), QByteArray("c"));
}

namespace {

QStringList ShownLines(const TMemo& memo)
{
    QStringList shown;
    for (QTextBlock b = memo.document()->begin(); b.isValid(); b = b.next())
        shown << b.text();
    return shown;
}

} // namespace

TEST(MemoTest, displayFollowsTheListOutsideUpdateMode)
{
    TMemo memo;
    memo.show();
    memo.Lines().Add("/a/one.jpg");
    memo.Lines().Add("/a/two.jpg");
    EXPECT_EQ(ShownLines(memo), (QStringList{"/a/one.jpg", "/a/two.jpg"}));

    {
        TMemoLinesUpdate update(memo.Lines());
        memo.Lines().Add("/a/three.jpg");
        EXPECT_EQ(ShownLines(memo).size(), 2);
    }
    EXPECT_EQ(ShownLines(memo), (QStringList{"/a/one.jpg", "/a/two.jpg", "/a/three.jpg"}));

    memo.Lines().Clear();
    memo.Lines().Add("x");
    EXPECT_EQ(ShownLines(memo), QStringList{"x"});
}

TEST(MemoTest, hiddenMemoShowsItsLinesWhenItAppears)
{
    TMemo memo;
    for (int i = 0; i < 1000; ++i)
        memo.Lines().Add(QByteArray::number(i));
    EXPECT_TRUE(memo.document()->isEmpty());
    memo.show();
    const QStringList shown = ShownLines(memo);
    ASSERT_EQ(shown.size(), 1000);
    EXPECT_EQ(shown.front(), QStringLiteral("0"));
    EXPECT_EQ(shown.back(), QStringLiteral("999"));
}

TEST(MemoTest, aLineBreakInsideALineStaysOneDisplayedLine)
{
    TMemo memo;
    memo.show();
    memo.Lines().Add("a\nb");
    EXPECT_EQ(ShownLines(memo).size(), 1);
    EXPECT_EQ(memo.Lines().Line(0), QByteArray("a\nb"));
}
