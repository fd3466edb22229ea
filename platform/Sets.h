#pragma once

#include <bitset>
#include <initializer_list>

// A set over the enumerators 0..Count-1 of an unscoped enumeration, as the documented option
// sets (TGridOptions, TColumnOptions, TCellState...) need: membership, union and difference.
template <typename Enum, int Count> class TSet
{
public:
    constexpr TSet() = default;
    TSet(std::initializer_list<Enum> items)
    {
        for (Enum e : items)
            m_bits.set(static_cast<size_t>(e));
    }

    bool contains(Enum e) const { return m_bits.test(static_cast<size_t>(e)); }
    bool empty() const { return m_bits.none(); }
    int count() const { return static_cast<int>(m_bits.count()); }

    TSet& operator+=(const TSet& other)
    {
        m_bits |= other.m_bits;
        return *this;
    }
    TSet& operator-=(const TSet& other)
    {
        m_bits &= ~other.m_bits;
        return *this;
    }
    TSet& operator*=(const TSet& other)
    {
        m_bits &= other.m_bits;
        return *this;
    }
    friend TSet operator+(TSet a, const TSet& b) { return a += b; }
    friend TSet operator-(TSet a, const TSet& b) { return a -= b; }
    friend TSet operator*(TSet a, const TSet& b) { return a *= b; }
    friend bool operator==(const TSet&, const TSet&) = default;

    TSet& include(Enum e)
    {
        m_bits.set(static_cast<size_t>(e));
        return *this;
    }
    TSet& exclude(Enum e)
    {
        m_bits.reset(static_cast<size_t>(e));
        return *this;
    }

private:
    std::bitset<Count> m_bits;
};
