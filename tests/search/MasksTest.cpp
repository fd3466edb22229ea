#include "search/Masks.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace {

QByteArray Bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

// The bytes as a readable C literal, for failure messages.
std::string Shown(std::string_view text)
{
    std::string shown = "\"";
    for (const unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            shown += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    return shown + "\"";
}

std::string Abbreviated(std::string_view text)
{
    return text.size() <= 40
               ? Shown(text)
               : Shown(text.substr(0, 40)) + "... (" + std::to_string(text.size()) + " bytes)";
}

struct MatchRow
{
    std::string_view mask;
    std::string_view name;
    bool matches;
};

void ExpectRows(std::initializer_list<MatchRow> rows, const TByteSet& leadBytes = {})
{
    for (const MatchRow& row : rows) {
        SCOPED_TRACE("mask " + Abbreviated(row.mask) + ", name " + Abbreviated(row.name));
        try {
            EXPECT_EQ(TMask(Bytes(row.mask), leadBytes).MatchName(Bytes(row.name)), row.matches);
        } catch (const EMaskException& e) {
            ADD_FAILURE() << "unexpected " << e.what();
        }
    }
}

// Whether the mask compiles, and if not the message it raises.
std::string CompileError(const QByteArray& mask)
{
    try {
        TMask compiled(mask);
        return "accepted";
    } catch (const EMaskException& e) {
        return e.what();
    }
}

std::string Repeated(std::string_view piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// Matching written as plain recursion over the mask text, for masks of *, ? and literals: a ?
// that follows a * (directly or after other such ?) adds nothing.
bool ReferenceMatch(std::string_view mask, std::string_view name)
{
    const auto fold = [](char c) {
        return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    };
    if (mask.empty())
        return name.empty();
    if (mask[0] == '*') {
        const size_t rest = mask.find_first_not_of("*?");
        const std::string_view tail = rest == std::string_view::npos ? ""sv : mask.substr(rest);
        for (size_t skip = 0; skip <= name.size(); ++skip) {
            if (ReferenceMatch(tail, name.substr(skip)))
                return true;
        }
        return false;
    }
    if (name.empty() || (mask[0] != '?' && fold(mask[0]) != fold(name[0])))
        return false;
    return ReferenceMatch(mask.substr(1), name.substr(1));
}

// Every text of up to maxLength characters drawn from the alphabet.
std::vector<std::string> AllTexts(std::string_view alphabet, int maxLength)
{
    std::vector<std::string> texts{""};
    for (size_t from = 0; from < texts.size(); ++from) {
        if (int(texts[from].size()) == maxLength)
            continue;
        for (const char c : alphabet)
            texts.push_back(texts[from] + c);
    }
    return texts;
}

} // namespace

TEST(MasksTest, extensionMasks)
{
    ExpectRows({
        {"*.jpg", "a.jpg", true},
        {"*.jpg", "A.JPG", true},
        {"*.jpg", "x.y.jpg", true},
        {"*.jpg", ".jpg", true},
        {"*.jpg", "a.jpg.bak", false},
        {"*.jpg", "a.jpeg", false},
        {"*.jpg", "a.jp", false},
        {"*.jpg", "jpg", false},
        {"*.JPG", "photo.Jpg", true},
        {"*.bmp", "a.jpg", false},
    });
}

TEST(MasksTest, starsAndQuestionMarks)
{
    ExpectRows({
        {"*", "", true},          {"*", "anything at all.txt", true},
        {"***", "", true},        {"", "", true},
        {"", "a", false},         {"?", "a", true},
        {"?", "", false},         {"?", "ab", false},
        {"a?c", "abc", true},     {"a?c", "aXc", true},
        {"a?c", "ac", false},     {"*?x", "x", true},
        {"*??x", "x", true},      {"?*x", "x", false},
        {"*?", "", true},         {"a*", "A", true},
        {"*A", "xa", true},       {"*ab", "aab", true},
        {"*a*b", "xaxxb", true},  {"*a*b", "xbxa", false},
        {"a*b*c", "abcbc", true}, {"*.*", "abc", false},
        {"*.*", "a.b.c", true},   {"*x*x", "xx", true},
        {"*x*x", "x", false},
    });
}

TEST(MasksTest, characterSets)
{
    ExpectRows({
        {"[a-c]*", "Apple", true},
        {"[a-c]*", "cat", true},
        {"[a-c]*", "dog", false},
        {"[a-c]*", "", false},
        {"[!a-c]*", "dog", true},
        {"[!a-c]*", "Apple", false},
        {"[!a]", "b", true},
        {"[!a]", "", false},
        {"*[!a]", "aa", false},
        {"[!a]", "ba", false},
        // A later range starts from the last character listed, not from the last range's end.
        {"[a-c-e]", "d", true},
        {"[a-cx-z]", "y", true},
        {"[a-cx-z]", "d", false},
        {"[z-a]", "z", true},
        {"[z-a]", "b", false},
        {"[_-a]", "_", true},
        {"[_-a]", "a", false},
        // The character after - is taken even when it is ].
        {"[a-]]", "m", true},
        {"[a-]]", "]", true},
        {"[a-]]", "^", false},
        {"*[0-9].png", "scan7.png", true},
        {"*[0-9].png", "scanX.png", false},
        {"[*?]", "?", true},
        {"[*?]", "x", false},
        {"[a]]", "a]", true},
    });
}

TEST(MasksTest, bytesOutsideAsciiCompareExactly)
{
    ExpectRows({
        {"\xC9"sv, "\xC9"sv, true},
        {"\xC9"sv, "\xE9"sv, false},
        {"[\xC9]"sv, "\xE9"sv, false},
        {"\xC3\x89*"sv, "\xC3\x89t\xC3\xA9.jpg"sv, true},
        {"\xC3\x89*"sv, "\xC3\xA9t\xC3\xA9.jpg"sv, false},
        {"*\xFF"sv, "a\xFF"sv, true},
    });
}

TEST(MasksTest, maskAndNameEndAtTheirFirstZeroByte)
{
    ExpectRows({
        {"*.jpg"sv, "a.jpg\0.exe"sv, true},
        {"*.exe"sv, "a.jpg\0.exe"sv, false},
        {"*.jpg\0junk"sv, "b.jpg"sv, true},
        {"*.jpg\0junk"sv, "b.jpg\0junk"sv, true},
        {"\0*"sv, ""sv, true},
        {"\0*"sv, "a"sv, false},
        {"*"sv, "\0abc"sv, true},
        {"?"sv, "\0"sv, false},
        {"[!a]"sv, "\0"sv, false},
    });
    EXPECT_EQ(CompileError(Bytes("a\0["sv)), "accepted");
    EXPECT_EQ(CompileError(Bytes("[ab\0cd]"sv)), "'[ab' is an invalid mask at (4)");
}

TEST(MasksTest, invalidMasksReportTheirPosition)
{
    const struct
    {
        std::string_view mask;
        int position;
    } rows[] = {
        {"[]x", 2}, {"[-a]", 2}, {"[abc", 5},   {"[", 2},      {"[!", 3},  {"[!]", 3},
        {"[a-", 4}, {"ab[-", 4}, {"x[!-a]", 4}, {"*.[jpg", 7}, {"[]]", 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("mask " + Shown(row.mask));
        EXPECT_EQ(CompileError(Bytes(row.mask)), "'" + std::string(row.mask) +
                                                     "' is an invalid mask at (" +
                                                     std::to_string(row.position) + ")");
    }
}

TEST(MasksTest, invalidMaskMessageKeepsPercentSignsOfTheMask)
{
    EXPECT_EQ(CompileError("[%2"), "'[%2' is an invalid mask at (4)");
    EXPECT_THROW(NameMatchesMask("a", "[%1%2"), EMaskException);
}

TEST(MasksTest, atMostThirtyElementsFollowAStar)
{
    const std::string thirty = Repeated("*a", 30);
    EXPECT_EQ(CompileError(QByteArray::fromStdString(thirty)), "accepted");
    EXPECT_TRUE(NameMatchesMask(QByteArray(30, 'a'), QByteArray::fromStdString(thirty)));
    EXPECT_FALSE(NameMatchesMask(QByteArray(29, 'a'), QByteArray::fromStdString(thirty)));

    // The 31st element is the a at position 62.
    const std::string thirtyOne = Repeated("*a", 31);
    EXPECT_EQ(CompileError(QByteArray::fromStdString(thirtyOne)),
              "'" + thirtyOne + "' is an invalid mask at (62)");
    // A trailing * counts for the end of the name, found one past the last character.
    const std::string trailing = thirty + "*";
    EXPECT_EQ(CompileError(QByteArray::fromStdString(trailing)),
              "'" + trailing + "' is an invalid mask at (62)");
    EXPECT_EQ(CompileError(QByteArray::fromStdString(Repeated("*", 31) + "a")), "accepted");
    EXPECT_EQ(CompileError(QByteArray::fromStdString(Repeated("a*[a]", 31))),
              "'" + Repeated("a*[a]", 31) + "' is an invalid mask at (155)");
}

TEST(MasksTest, compiledSteps)
{
    const TMask mask("**?*a?[!b-d]");
    const auto& steps = mask.Steps();
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].Kind, StepLiteral);
    EXPECT_EQ(steps[0].Literal, 'A');
    EXPECT_TRUE(steps[0].SkipBefore);
    EXPECT_EQ(steps[1].Kind, StepAnyChar);
    EXPECT_FALSE(steps[1].SkipBefore);
    EXPECT_EQ(steps[2].Kind, StepCharSet);
    EXPECT_TRUE(steps[2].Negate);
    EXPECT_EQ(steps[3].Kind, StepLiteral);
    EXPECT_EQ(steps[3].Literal, 0);
    EXPECT_FALSE(steps[3].SkipBefore);
}

TEST(MasksTest, agreesWithPlainRecursionOnEveryShortMaskAndName)
{
    const std::vector<std::string> masks = AllTexts("*?aB", 5);
    const std::vector<std::string> names = AllTexts("abA", 5);
    for (const std::string& mask : masks) {
        const TMask compiled(QByteArray::fromStdString(mask));
        for (const std::string& name : names) {
            if (compiled.MatchName(QByteArray::fromStdString(name)) != ReferenceMatch(mask, name))
                ADD_FAILURE() << "mask " << Shown(mask) << ", name " << Shown(name) << ": expected "
                              << ReferenceMatch(mask, name);
        }
    }
}

// A retry point per * would make these take longer than the age of the universe.
TEST(MasksTest, manyStarsOverLongNamesStayFast)
{
    const QByteArray as(10'000, 'a');
    EXPECT_FALSE(NameMatchesMask(as, "*a*a*a*a*a*a*b"));
    EXPECT_TRUE(NameMatchesMask(as + "b", "*a*a*a*a*a*a*b"));
    const QByteArray thirtyStars = QByteArray::fromStdString(Repeated("*a", 29) + "*b");
    EXPECT_FALSE(NameMatchesMask(as, thirtyStars));
    EXPECT_TRUE(NameMatchesMask(as + "xb", thirtyStars));
    EXPECT_FALSE(NameMatchesMask(as, "*" + QByteArray(100, 'a') + "b*"));
}

TEST(MasksTest, longMasksAndNames)
{
    const QByteArray questions(10'000, '?');
    EXPECT_TRUE(NameMatchesMask(QByteArray(10'000, 'x'), questions));
    EXPECT_FALSE(NameMatchesMask(QByteArray(9'999, 'x'), questions));
    EXPECT_FALSE(NameMatchesMask(QByteArray(10'001, 'x'), questions));
    EXPECT_EQ(CompileError(QByteArray(10'000, '[')).substr(10'002),
              " is an invalid mask at (10001)");
    EXPECT_EQ(CompileError(QByteArray(10'000, '*')), "accepted");
    EXPECT_TRUE(NameMatchesMask(QByteArray(10'000, 'x'), QByteArray(10'000, '*')));
}

TEST(MasksTest, doubleByteCharactersOfACodePageWithLeadBytes)
{
    TByteSet leadBytes;
    leadBytes.set(0x81);
    leadBytes.set(0x82);
    EXPECT_EQ(TMask("\x81g", leadBytes).Steps()[0].Kind, StepDoubleByte);
    ExpectRows(
        {
            {"a\x81\x40"sv, "A\x81\x40"sv, true},
            {"a\x81\x40"sv, "a\x81\x41"sv, false},
            {"a\x81\x40"sv, "a\x81"sv, false},
            // The trail byte is part of a character, not an ASCII letter: it does not fold.
            {"\x81g"sv, "\x81g"sv, true},
            {"\x81g"sv, "\x81G"sv, false},
            {"*\x81g"sv, "xy\x81g"sv, true},
            {"*\x81g"sv, "xy\x81gz"sv, false},
            {"*\x81g*"sv, "xy\x81gz"sv, true},
            {"*\x81g"sv, "\x82\x81g"sv, true},
            // A lead byte with nothing after it is an ordinary byte.
            {"a\x81"sv, "A\x81"sv, true},
            // Sets pass over double-byte characters; ] right after a lead byte is its trail.
            {"[\x81\x40z]"sv, "z"sv, true},
            {"[\x81\x40z]"sv, "\x40"sv, false},
        },
        leadBytes);
    EXPECT_THROW(TMask("[\x81]", leadBytes), EMaskException);
    EXPECT_THROW(TMask("[\x82\x40]", leadBytes), EMaskException);
    EXPECT_THROW(TMask("[\x81", leadBytes), EMaskException);
    // Without lead bytes the same masks are plain bytes.
    ExpectRows({{"\x81g"sv, "\x81G"sv, true}, {"[\x81]"sv, "\x81"sv, true}});
}
