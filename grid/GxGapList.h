#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

// A list with a movable gap (a gap buffer). Removing or inserting at the gap costs nothing
// beyond moving the gap there, so a walk that deletes as it goes forward, as the search's pair
// clean-up does, moves every element once in all instead of once per deletion. Appending stays
// amortised constant once the gap sits at the end. Indexes are not checked: the owner does that.
template <typename T> class TGapList
{
public:
    int Size() const { return static_cast<int>(m_slots.size()) - GapSize(); }
    bool Empty() const { return Size() == 0; }

    T& operator[](int index) { return m_slots[Slot(index)]; }
    const T& operator[](int index) const { return m_slots[Slot(index)]; }

    void Append(T value) { Insert(Size(), std::move(value)); }

    // Makes room for count insertions, so that they cannot fail for want of memory.
    void ReserveGap(int count)
    {
        if (GapSize() < count)
            Grow(count);
    }

    void Insert(int index, T value)
    {
        assert(index >= 0 && index <= Size());
        ReserveGap(1);
        MoveGapTo(index);
        m_slots[m_gapBegin++] = std::move(value);
    }

    // Removes the element and hands it back.
    T Take(int index)
    {
        assert(index >= 0 && index < Size());
        MoveGapTo(index);
        return std::move(m_slots[m_gapEnd++]);
    }

    void Swap(int a, int b)
    {
        using std::swap;
        swap(m_slots[Slot(a)], m_slots[Slot(b)]);
    }

    // List move semantics: the element leaves one index and lands at the other.
    void Move(int from, int to)
    {
        if (from != to)
            Insert(to, Take(from));
    }

    void Clear()
    {
        m_slots.clear();
        m_slots.shrink_to_fit();
        m_gapBegin = m_gapEnd = 0;
    }

private:
    int GapSize() const { return m_gapEnd - m_gapBegin; }
    int Slot(int index) const { return index < m_gapBegin ? index : index + GapSize(); }

    void MoveGapTo(int index)
    {
        if (index < m_gapBegin) {
            const int count = m_gapBegin - index;
            std::move_backward(m_slots.begin() + index, m_slots.begin() + m_gapBegin,
                               m_slots.begin() + m_gapEnd);
            m_gapBegin -= count;
            m_gapEnd -= count;
        } else if (index > m_gapBegin) {
            const int count = index - m_gapBegin;
            std::move(m_slots.begin() + m_gapEnd, m_slots.begin() + m_gapEnd + count,
                      m_slots.begin() + m_gapBegin);
            m_gapBegin += count;
            m_gapEnd += count;
        }
    }

    void Grow(int count)
    {
        const int size = Size();
        if (count > std::numeric_limits<int>::max() - size)
            throw std::length_error("TGapList: more elements than an int can count");
        const int capacity = int(
            std::min<int64_t>(std::numeric_limits<int>::max(),
                              std::max<int64_t>({16, int64_t(size) * 2, int64_t(size) + count})));
        std::vector<T> grown(static_cast<size_t>(capacity));
        std::move(m_slots.begin(), m_slots.begin() + m_gapBegin, grown.begin());
        const int tail = size - m_gapBegin;
        std::move(m_slots.begin() + m_gapEnd, m_slots.end(), grown.end() - tail);
        m_slots = std::move(grown);
        m_gapEnd = capacity - tail;
    }

    // [0, gapBegin) and [gapEnd, slots) hold the elements; the gap holds moved-from values.
    std::vector<T> m_slots;
    int m_gapBegin = 0;
    int m_gapEnd = 0;
};
