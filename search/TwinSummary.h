#pragma once

#include <QString>
#include <cstdint>
#include <unordered_map>

// The counts behind the results page's summary, kept as marks change so that a click costs no
// walk over the rows. A group's files are byte-identical, so each has the group's file size; a
// group marked whole still keeps one copy, which the removal's own guard keeps.
class TTwinSummary
{
public:
    void Clear();
    // Counts one row in; its group takes its file size.
    void AddRow(int group, int64_t size, bool marked);
    // A counted row of the group was marked or unmarked.
    void MarkChanged(int group, bool marked);

    int Files() const { return m_files; }
    int Groups() const { return int(m_groups.size()); }
    // The bytes the marked copies free, one copy of each group marked whole left out.
    int64_t FreedBytes() const { return m_freed; }
    int WholeGroups() const { return m_wholeGroups; }
    // Whether every counted row of the group is marked.
    bool IsWhole(int group) const;

    // "N files in M groups, X can be freed".
    QString Text() const;
    // The warning about the groups marked whole; empty when there are none.
    QString WholeGroupsText() const;

private:
    struct TGroupCounts
    {
        int Rows = 0;
        int Marked = 0;
        int64_t Size = 0;

        bool Whole() const { return Rows > 0 && Marked == Rows; }
        int64_t Freed() const { return Size * (Whole() ? Rows - 1 : Marked); }
    };

    // Takes the group's share out of the totals, lets change alter it, and puts it back.
    template <typename Change> void Update(int group, Change change);

    std::unordered_map<int, TGroupCounts> m_groups;
    int m_files = 0;
    int64_t m_freed = 0;
    int m_wholeGroups = 0;
};

// Bytes as "512 B", "1.5 KB", "2.0 MB" or "3.2 GB": one decimal above bytes, powers of 1024.
QString ByteCountText(int64_t bytes);
