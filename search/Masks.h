#pragma once

#include "platform/Exception.h"

#include <QByteArray>
#include <bitset>
#include <cstdint>
#include <vector>

// An invalid mask: "'%s' is an invalid mask at (%d)".
class EMaskException : public Exception
{
public:
    EMaskException(const QByteArray& mask, int position);

    // The 1-based position of the fault in the mask.
    int Position() const { return m_position; }

private:
    int m_position;
};

// A set of byte values, for character sets and for the lead bytes of double-byte characters.
using TByteSet = std::bitset<256>;

// At most this many elements of a mask may be preceded by *.
constexpr int MaxSkipSteps = 30;

enum MaskStepKind : uint8_t { StepLiteral, StepAnyChar, StepCharSet, StepDoubleByte };

// One compiled element of a mask; a small fixed-size record so that matching touches no heap.
struct MaskStep
{
    // One or more * stood directly before the element: any run of bytes may precede it.
    bool SkipBefore = false;
    MaskStepKind Kind = StepLiteral;
    // StepCharSet: the set was written with !.
    bool Negate = false;
    // StepLiteral: the byte with a-z folded to A-Z; 0 stands for the end of the name.
    uint8_t Literal = 0;
    // StepDoubleByte: the two bytes of the character, compared unfolded.
    uint8_t Lead = 0;
    uint8_t Trail = 0;
    // StepCharSet: the set's index in the mask's set table.
    uint32_t SetIndex = 0;
};

// A compiled wildcard mask: * (any run of bytes), ? (one byte), [set], [!set] with ranges a-z,
// anything else literally; ASCII letters match without regard to case, every other byte exactly.
// Mask and name are C strings to the matcher: each ends at its first 0 byte.
class TMask
{
public:
    // Compiles the mask; raises EMaskException for an invalid one. A byte in leadBytes starts a
    // double-byte character of the code page; the host's 8-bit encoding has none.
    explicit TMask(const QByteArray& mask, const TByteSet& leadBytes = {});

    // True when the whole name matches. Never raises, never allocates, and takes time
    // proportional to the name's length times the mask's, whatever the input.
    bool MatchName(const QByteArray& name) const;

    // The compiled steps; the last one is always the end-of-name literal.
    const std::vector<MaskStep>& Steps() const { return m_steps; }

private:
    bool Fits(const MaskStep& step, const uint8_t* name, qsizetype length, qsizetype at) const;
    qsizetype FirstFit(const MaskStep& step, const uint8_t* name, qsizetype length,
                       qsizetype from) const;

    std::vector<MaskStep> m_steps;
    std::vector<TByteSet> m_sets;
};

// Compiles the mask and tests the name against it; raises EMaskException for an invalid mask.
bool NameMatchesMask(const QByteArray& name, const QByteArray& mask);
