#pragma once

#include <QString>
#include <cstdint>

// Code units of a text, one byte each (characters below U+0100) or two.
struct TTextUnits
{
    const void* data = nullptr;
    int size = 0;
    bool wide = false;

    static TTextUnits Of(QStringView text) { return {text.utf16(), int(text.size()), true}; }
};

// Compares code unit by code unit, each as an unsigned number; a text that is a prefix of the
// other comes first. Negative, zero or positive.
int CompareUnits(TTextUnits a, TTextUnits b);

// The text of a string cell, kept as small as a table of a million rows needs: a short text of
// characters below U+0100 lives inside the object itself; a longer one in one heap block with
// one byte per character when they are all below U+0100, else two.
class TCellText
{
public:
    // Room for the unpacked characters of an inline text.
    using InlineBuffer = unsigned char[sizeof(uintptr_t)];

    TCellText() noexcept = default;
    explicit TCellText(QStringView text);
    TCellText(const TCellText&) = delete;
    TCellText& operator=(const TCellText&) = delete;
    TCellText(TCellText&& other) noexcept;
    TCellText& operator=(TCellText&& other) noexcept;
    ~TCellText() noexcept;

    bool IsEmpty() const noexcept { return m_bits == kEmpty; }
    QString ToString() const;
    // The code units; an inline text is unpacked into the buffer, which must outlive the view.
    TTextUnits Units(InlineBuffer& buffer) const;

private:
    // Low bit set: inline text, its length in bits 1..3 and its characters from bit 8 on, one
    // byte each. Low bit clear: the address of a heap block that starts with the length and a
    // wide flag.
    static constexpr uintptr_t kEmpty = 1;
    static constexpr int kInlineCapacity = sizeof(uintptr_t) - 1;

    bool IsInline() const noexcept { return (m_bits & 1) != 0; }
    void Release() noexcept;

    uintptr_t m_bits = kEmpty;
};
