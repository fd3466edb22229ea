#include "search/Masks.h"

EMaskException::EMaskException(const QByteArray& mask, int position)
    // One pass over the placeholders, so a mask that itself contains "%2" stays as written.
    : Exception(QStringLiteral("'%1' is an invalid mask at (%2)")
                    .arg(QString::fromLocal8Bit(mask), QString::number(position))),
      m_position(position)
{}

namespace {

// Only the ASCII letters fold; every other byte compares as it is.
uint8_t Fold(uint8_t c)
{
    return c >= 'a' && c <= 'z' ? uint8_t(c - ('a' - 'A')) : c;
}

// Both the mask and the name end at their first 0 byte, as they would on their way through the
// platform's C string interfaces; nothing after it can take part.
qsizetype CStringLength(const QByteArray& text)
{
    return qsizetype(qstrnlen(text.constData(), size_t(text.size())));
}

// Reads a mask from left to right into steps. Positions in errors are 1-based: the byte being
// read when the fault showed, or one past the end when the mask ran out.
class MaskCompiler
{
public:
    MaskCompiler(const QByteArray& mask, const TByteSet& leadBytes, std::vector<MaskStep>& steps,
                 std::vector<TByteSet>& sets)
        : m_mask(mask), m_length(CStringLength(mask)), m_leadBytes(leadBytes), m_steps(steps),
          m_sets(sets)
    {}

    void Run()
    {
        while (m_at < m_length) {
            const uint8_t c = At(m_at);
            if (c == '*') {
                m_pendingSkip = true;
                ++m_at;
            } else if (c == '?') {
                ++m_at;
                // After a * the ? adds nothing the * does not already allow.
                if (!m_pendingSkip)
                    Emit({.Kind = StepAnyChar});
            } else if (c == '[') {
                ReadSet();
            } else if (m_leadBytes[c] && m_at + 1 < m_length) {
                m_at += 2;
                Emit({.Kind = StepDoubleByte, .Lead = c, .Trail = At(m_at - 1)});
            } else {
                // A lead byte with no trail byte left is taken as a byte of its own.
                ++m_at;
                Emit({.Kind = StepLiteral, .Literal = Fold(c)});
            }
        }
        Emit({.Kind = StepLiteral, .Literal = 0}, m_length + 1);
    }

private:
    uint8_t At(qsizetype index) const { return uint8_t(m_mask[index]); }

    [[noreturn]] void Fail(qsizetype position) const
    {
        throw EMaskException(m_mask.left(m_length), int(position));
    }

    // Appends a step that ends with the byte just read (or at the given position).
    void Emit(MaskStep step) { Emit(step, m_at); }
    void Emit(MaskStep step, qsizetype position)
    {
        step.SkipBefore = m_pendingSkip;
        if (m_pendingSkip && ++m_skipCount > MaxSkipSteps)
            Fail(position);
        m_pendingSkip = false;
        m_steps.push_back(step);
    }

    void ReadSet()
    {
        MaskStep step{.Kind = StepCharSet};
        ++m_at;
        if (m_at < m_length && At(m_at) == '!') {
            step.Negate = true;
            ++m_at;
        }
        TByteSet set;
        int last = -1; // the last single character listed; ranges start from it
        for (;;) {
            if (m_at >= m_length)
                Fail(m_length + 1);
            const uint8_t c = At(m_at);
            if (c == ']')
                break;
            if (m_leadBytes[c]) {
                // A double-byte character cannot be listed; it is passed over whole.
                m_at += 2;
            } else if (c == '-') {
                if (last < 0)
                    Fail(m_at + 1);
                if (m_at + 1 >= m_length)
                    Fail(m_length + 1);
                const int end = Fold(At(m_at + 1));
                for (int b = last; b <= end; ++b)
                    set.set(size_t(b));
                m_at += 2;
            } else {
                last = Fold(c);
                set.set(size_t(last));
                ++m_at;
            }
        }
        if (set.none())
            Fail(m_at + 1);
        ++m_at;
        step.SetIndex = uint32_t(m_sets.size());
        m_sets.push_back(set);
        Emit(step);
    }

    const QByteArray& m_mask;
    const qsizetype m_length;
    const TByteSet& m_leadBytes;
    std::vector<MaskStep>& m_steps;
    std::vector<TByteSet>& m_sets;
    qsizetype m_at = 0;
    bool m_pendingSkip = false;
    int m_skipCount = 0;
};

} // namespace

TMask::TMask(const QByteArray& mask, const TByteSet& leadBytes)
{
    MaskCompiler(mask, leadBytes, m_steps, m_sets).Run();
}

bool TMask::Fits(const MaskStep& step, const uint8_t* name, qsizetype length, qsizetype at) const
{
    if (step.Kind == StepLiteral)
        return (at < length ? Fold(name[at]) : 0) == step.Literal;
    if (step.Kind == StepAnyChar)
        return at < length;
    if (step.Kind == StepCharSet)
        return at < length && m_sets[step.SetIndex][Fold(name[at])] != step.Negate;
    return at + 1 < length && name[at] == step.Lead && name[at + 1] == step.Trail;
}

qsizetype TMask::FirstFit(const MaskStep& step, const uint8_t* name, qsizetype length,
                          qsizetype from) const
{
    while (from < length && !Fits(step, name, length, from))
        ++from;
    return from;
}

bool TMask::MatchName(const QByteArray& name) const
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(name.constData());
    const qsizetype length = CStringLength(name);
    // Keeping a retry point for every * would cost time exponential in their number ("*a*a*a*b"
    // against a long run of a's). It is never needed: when the steps up to a later * have
    // matched, they have matched ending as early as they can, and whatever the rest matches from
    // a later place it also matches from here, the later * taking up the difference. So only
    // the most recent * keeps its retry point, and each retry moves it forward.
    qsizetype at = 0;
    size_t index = 0;
    qsizetype retryAt = -1;
    size_t retryIndex = 0;
    while (index < m_steps.size()) {
        const MaskStep& step = m_steps[index];
        if (step.SkipBefore) {
            at = FirstFit(step, bytes, length, at);
            retryAt = at < length ? at + 1 : -1;
            retryIndex = index;
        }
        if (!Fits(step, bytes, length, at)) {
            if (retryAt < 0)
                return false;
            at = retryAt;
            index = retryIndex;
            continue;
        }
        at += step.Kind == StepDoubleByte ? 2 : 1;
        ++index;
    }
    return true;
}

bool NameMatchesMask(const QByteArray& name, const QByteArray& mask)
{
    return TMask(mask).MatchName(name);
}
