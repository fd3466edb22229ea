#include "grid/GxCellText.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

using Header = uint32_t;

bool AllLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

template <typename A, typename B> int CompareSequences(const A* a, int sizeA, const B* b, int sizeB)
{
    const int common = std::min(sizeA, sizeB);
    for (int i = 0; i < common; ++i) {
        const unsigned ua = a[i];
        const unsigned ub = b[i];
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    return sizeA < sizeB ? -1 : sizeA > sizeB ? 1 : 0;
}

template <typename A> int CompareWith(const A* a, int sizeA, TTextUnits b)
{
    if (b.wide)
        return CompareSequences(a, sizeA, static_cast<const char16_t*>(b.data), b.size);
    return CompareSequences(a, sizeA, static_cast<const unsigned char*>(b.data), b.size);
}

} // namespace

int CompareUnits(TTextUnits a, TTextUnits b)
{
    if (!a.wide && !b.wide) {
        const int common = std::min(a.size, b.size);
        const int order = common == 0 ? 0 : std::memcmp(a.data, b.data, size_t(common));
        if (order != 0)
            return order;
        return a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
    }
    if (a.wide)
        return CompareWith(static_cast<const char16_t*>(a.data), a.size, b);
    return CompareWith(static_cast<const unsigned char*>(a.data), a.size, b);
}

TCellText::TCellText(QStringView text)
{
    const int size = int(text.size());
    const bool latin1 = AllLatin1(text);
    if (latin1 && size <= kInlineCapacity) {
        m_bits = uintptr_t(size) << 1 | 1;
        for (int i = 0; i < size; ++i)
            m_bits |= uintptr_t(text[i].unicode()) << (8 * (i + 1));
        return;
    }
    const size_t unitSize = latin1 ? 1 : 2;
    auto* block = static_cast<unsigned char*>(::operator new(sizeof(Header) + size * unitSize));
    const Header header = Header(size) << 1 | (latin1 ? 0 : 1);
    std::memcpy(block, &header, sizeof header);
    unsigned char* units = block + sizeof(Header);
    if (latin1) {
        for (int i = 0; i < size; ++i)
            units[i] = static_cast<unsigned char>(text[i].unicode());
    } else {
        std::memcpy(units, text.utf16(), size * unitSize);
    }
    m_bits = reinterpret_cast<uintptr_t>(block);
}

TCellText::TCellText(TCellText&& other) noexcept : m_bits(std::exchange(other.m_bits, kEmpty)) {}

TCellText& TCellText::operator=(TCellText&& other) noexcept
{
    if (this != &other) {
        Release();
        m_bits = std::exchange(other.m_bits, kEmpty);
    }
    return *this;
}

TCellText::~TCellText() noexcept
{
    Release();
}

void TCellText::Release() noexcept
{
    if (!IsInline())
        ::operator delete(reinterpret_cast<void*>(m_bits));
    m_bits = kEmpty;
}

TTextUnits TCellText::Units(InlineBuffer& buffer) const
{
    if (IsInline()) {
        const int size = int(m_bits >> 1 & 7);
        for (int i = 0; i < size; ++i)
            buffer[i] = static_cast<unsigned char>(m_bits >> (8 * (i + 1)));
        return {buffer, size, false};
    }
    const auto* block = reinterpret_cast<const unsigned char*>(m_bits);
    Header header = 0;
    std::memcpy(&header, block, sizeof header);
    return {block + sizeof(Header), int(header >> 1), (header & 1) != 0};
}

QString TCellText::ToString() const
{
    InlineBuffer buffer;
    const TTextUnits units = Units(buffer);
    if (units.wide)
        return QString(static_cast<const QChar*>(units.data), units.size);
    return QString::fromLatin1(static_cast<const char*>(units.data), units.size);
}
