#include "search/TwinSummary.h"

template <typename Change> void TTwinSummary::Update(int group, Change change)
{
    TGroupCounts& counts = m_groups[group];
    m_freed -= counts.Freed();
    m_wholeGroups -= counts.Whole();
    change(counts);
    m_freed += counts.Freed();
    m_wholeGroups += counts.Whole();
}

void TTwinSummary::Clear()
{
    *this = {};
}

void TTwinSummary::AddRow(int group, int64_t size, bool marked)
{
    ++m_files;
    Update(group, [&](TGroupCounts& counts) {
        ++counts.Rows;
        counts.Marked += marked;
        counts.Size = size;
    });
}

void TTwinSummary::MarkChanged(int group, bool marked)
{
    Update(group, [&](TGroupCounts& counts) { counts.Marked += marked ? 1 : -1; });
}

bool TTwinSummary::IsWhole(int group) const
{
    const auto counts = m_groups.find(group);
    return counts != m_groups.end() && counts->second.Whole();
}

QString TTwinSummary::Text() const
{
    return QStringLiteral("%1 files in %2 groups, %3 can be freed")
        .arg(m_files)
        .arg(Groups())
        .arg(ByteCountText(m_freed));
}

QString TTwinSummary::WholeGroupsText() const
{
    if (m_wholeGroups == 0)
        return {};
    return m_wholeGroups == 1
               ? QStringLiteral("1 group is marked whole: one copy of it will stay.")
               : QStringLiteral("%1 groups are marked whole: one copy of each will stay.")
                     .arg(m_wholeGroups);
}

QString ByteCountText(int64_t bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    const char* units[] = {"KB", "MB", "GB"};
    double value = double(bytes) / 1024;
    size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(units)) {
        value /= 1024;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}
