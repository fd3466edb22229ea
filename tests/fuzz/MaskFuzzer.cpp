// Feeds arbitrary masks and names to the mask compiler and matcher. An input is the mask, a line
// feed, then the name (no line feed: all mask, empty name). Beyond the sanitizers, it checks that
// errors name a real position, that the matcher agrees with an independent table-filling matcher
// on masks without sets, that the first 0 byte ends both texts, that adding a * never loses a
// match, and that lead bytes change nothing for masks that contain none.
#include "search/Masks.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

QByteArray g_mask;
QByteArray g_name;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\nmask: %s\nname: %s\n", what, g_mask.toPercentEncoding().constData(),
                 g_name.toPercentEncoding().constData());
    std::abort();
}

void Check(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

QByteArray UpToZero(const QByteArray& text)
{
    return text.left(qsizetype(qstrnlen(text.constData(), size_t(text.size()))));
}

// The compiled mask, or nothing when the mask is invalid and its error is well formed.
std::optional<TMask> Compile(const QByteArray& mask, const TByteSet& leadBytes = {})
{
    try {
        return TMask(mask, leadBytes);
    } catch (const EMaskException& e) {
        const QByteArray text = UpToZero(mask);
        const QString prefix =
            QStringLiteral("'%1' is an invalid mask at (").arg(QString::fromLocal8Bit(text));
        Check(e.Message().startsWith(prefix) && e.Message().endsWith(QLatin1Char(')')),
              "malformed mask error");
        bool isNumber = false;
        const qsizetype position = e.Message().mid(prefix.size()).chopped(1).toLongLong(&isNumber);
        Check(isNumber && position >= 1 && position <= text.size() + 1,
              "mask error names no position in the mask");
        return std::nullopt;
    }
}

char Folded(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Matching as a table over (mask prefix, name prefix), for masks of *, ? and literal bytes; a ?
// right after a * (or after such a dropped ?) adds nothing.
bool TableMatch(const QByteArray& mask, const QByteArray& name)
{
    QByteArray pattern;
    for (const char c : mask) {
        if (c == '*' && pattern.endsWith('*'))
            continue;
        if (c == '?' && pattern.endsWith('*'))
            continue;
        pattern += c;
    }
    // row[j]: the pattern so far matches the first j bytes of the name.
    std::vector<char> row(size_t(name.size()) + 1, 0);
    row[0] = 1;
    for (const char p : pattern) {
        std::vector<char> next(row.size(), 0);
        for (size_t j = 0; j < row.size(); ++j) {
            if (p == '*')
                next[j] = row[j] || (j > 0 && next[j - 1]);
            else if (j > 0 && row[j - 1])
                next[j] = p == '?' || Folded(p) == Folded(name[qsizetype(j) - 1]);
        }
        row.swap(next);
    }
    return row.back();
}

TByteSet LeadBytesOfADoubleByteCodePage()
{
    TByteSet lead;
    for (int b = 0x81; b <= 0x9F; ++b)
        lead.set(size_t(b));
    for (int b = 0xE0; b <= 0xFC; ++b)
        lead.set(size_t(b));
    return lead;
}

void CheckPlainMask(const TMask& mask)
{
    const bool matches = mask.MatchName(g_name);
    Check(mask.MatchName(g_name + '\0' + "tail") == matches, "bytes after a 0 byte took part");

    const QByteArray mask0 = UpToZero(g_mask);
    const QByteArray name0 = UpToZero(g_name);
    if (!mask0.contains('[') && mask0.size() <= 256 && name0.size() <= 1024)
        Check(TableMatch(mask0, name0) == matches, "disagrees with the table matcher");

    if (!matches)
        return;
    if (const auto starFirst = Compile("*" + mask0))
        Check(starFirst->MatchName("any" + name0), "a leading * lost a match");
    if (const auto starLast = Compile(mask0 + "*"))
        Check(starLast->MatchName(name0 + "any"), "a trailing * lost a match");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\n');
    g_mask = split < 0 ? input : input.left(split);
    g_name = split < 0 ? QByteArray() : input.mid(split + 1);

    static const TByteSet leadBytes = LeadBytesOfADoubleByteCodePage();
    const std::optional<TMask> plain = Compile(g_mask);
    const std::optional<TMask> withLeadBytes = Compile(g_mask, leadBytes);
    if (plain)
        CheckPlainMask(*plain);
    const bool maskHasLeadBytes =
        std::any_of(g_mask.cbegin(), g_mask.cend(), [](char c) { return leadBytes[uint8_t(c)]; });
    if (withLeadBytes) {
        const bool matches = withLeadBytes->MatchName(g_name);
        if (!maskHasLeadBytes)
            Check(plain && plain->MatchName(g_name) == matches, "lead bytes changed a plain mask");
    } else if (!maskHasLeadBytes) {
        Check(!plain, "lead bytes made a plain mask invalid");
    }
    return 0;
}
