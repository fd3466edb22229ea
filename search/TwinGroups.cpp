#include "search/TwinGroups.h"

#include "platform/FileNames.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace {

// The row indices grouped: every group's rows together, groups and rows in present order.
std::vector<std::vector<int>> GroupsOf(const std::vector<TTwinRow>& rows)
{
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&rows](int a, int b) {
        return rows[size_t(a)].Group < rows[size_t(b)].Group;
    });
    std::vector<std::vector<int>> groups;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i == 0 || rows[size_t(order[i])].Group != rows[size_t(order[i - 1])].Group)
            groups.emplace_back();
        groups.back().push_back(order[i]);
    }
    return groups;
}

template <typename Before>
int FirstBy(const std::vector<TTwinRow>& rows, const std::vector<int>& members, Before before)
{
    return *std::min_element(members.begin(), members.end(), [&](int a, int b) {
        return before(rows[size_t(a)], rows[size_t(b)]);
    });
}

bool NewerBefore(const TTwinRow& a, const TTwinRow& b)
{
    if (a.Date != b.Date)
        return a.Date > b.Date;
    return KeepsBefore(a, b);
}

bool ShorterBefore(const TTwinRow& a, const TTwinRow& b)
{
    if (a.Path.size() != b.Path.size())
        return a.Path.size() < b.Path.size();
    return KeepsBefore(a, b);
}

// Marks every member but the keeper.
void KeepOne(std::vector<bool>& marks, const std::vector<int>& members, int keeper)
{
    for (int row : members)
        marks[size_t(row)] = row != keeper;
}

// The members a keep-one rule may choose from: the reference copies when the group has any, since
// they stay whatever the marks say and so already keep the picture.
std::vector<int> KeeperCandidates(const std::vector<TTwinRow>& rows,
                                  const std::vector<int>& members)
{
    std::vector<int> references;
    for (int row : members)
        if (rows[size_t(row)].Reference)
            references.push_back(row);
    return references.empty() ? members : references;
}

// Among the group's unmarked rows, or all of them when every one is marked, the one KeepsBefore
// puts first.
int KeeperOf(const std::vector<TTwinRow>& rows, const std::vector<int>& members)
{
    std::vector<int> unmarked;
    for (int row : members)
        if (!rows[size_t(row)].Marked)
            unmarked.push_back(row);
    return FirstBy(rows, unmarked.empty() ? members : unmarked, KeepsBefore);
}

void ApplyToGroup(std::vector<bool>& marks, const std::vector<TTwinRow>& rows,
                  const std::vector<int>& members, TKeepRule rule, const QByteArray& folder)
{
    const auto copiesInFolder = [&] {
        std::vector<int> copies;
        for (int row : members)
            if (FolderOf(rows[size_t(row)].Path) == folder)
                copies.push_back(row);
        return copies;
    };
    const std::vector<int> candidates = KeeperCandidates(rows, members);
    switch (rule) {
    case TKeepRule::Oldest:
        return KeepOne(marks, members, FirstBy(rows, candidates, KeepsBefore));
    case TKeepRule::Newest:
        return KeepOne(marks, members, FirstBy(rows, candidates, NewerBefore));
    case TKeepRule::ShortestPath:
        return KeepOne(marks, members, FirstBy(rows, candidates, ShorterBefore));
    case TKeepRule::CopiesInFolder: {
        const std::vector<int> inFolder = copiesInFolder();
        if (inFolder.empty())
            return;
        for (int row : members)
            marks[size_t(row)] = true;
        for (int row : inFolder)
            marks[size_t(row)] = false;
        return;
    }
    case TKeepRule::MarkFolder: {
        const std::vector<int> inFolder = copiesInFolder();
        for (int row : inFolder)
            marks[size_t(row)] = !rows[size_t(row)].Reference;
        if (!inFolder.empty() && std::all_of(members.begin(), members.end(),
                                             [&](int row) { return marks[size_t(row)]; }))
            marks[size_t(FirstBy(rows, inFolder, KeepsBefore))] = false;
        return;
    }
    }
}

} // namespace

bool KeepsBefore(const TTwinRow& a, const TTwinRow& b)
{
    return std::tuple(a.Date, a.Path.size(), a.Path) < std::tuple(b.Date, b.Path.size(), b.Path);
}

std::vector<bool> KeepRuleMarks(const std::vector<TTwinRow>& rows, TKeepRule rule,
                                const QByteArray& folder)
{
    std::vector<bool> marks(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        marks[i] = rows[i].Marked;
    for (const std::vector<int>& members : GroupsOf(rows))
        ApplyToGroup(marks, rows, members, rule, folder);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Reference)
            marks[i] = false;
    return marks;
}

std::vector<int> KeeperOfEachRow(const std::vector<TTwinRow>& rows)
{
    std::vector<int> keepers(rows.size());
    for (const std::vector<int>& members : GroupsOf(rows)) {
        const int keeper = KeeperOf(rows, members);
        for (int row : members)
            keepers[size_t(row)] = keeper;
    }
    return keepers;
}

std::vector<int> GroupedOrder(const std::vector<TTwinRow>& rows,
                              const std::function<int(int, int)>& compare, bool ascending)
{
    const int direction = ascending ? 1 : -1;
    // Each group stands for its keeper and for the place of its first row: equal keys keep
    // groups apart and in their present order.
    struct TGroupKey
    {
        int Keeper;
        int Place;
        std::vector<int> Members;
    };
    std::vector<TGroupKey> groups;
    for (std::vector<int>& members : GroupsOf(rows)) {
        const int keeper = KeeperOf(rows, members);
        const int place = members.front();
        groups.push_back({keeper, place, std::move(members)});
    }
    std::sort(groups.begin(), groups.end(), [&](const TGroupKey& a, const TGroupKey& b) {
        if (const int byKeeper = compare(a.Keeper, b.Keeper) * direction)
            return byKeeper < 0;
        return a.Place < b.Place;
    });
    std::vector<int> order;
    order.reserve(rows.size());
    for (TGroupKey& group : groups) {
        std::stable_sort(group.Members.begin(), group.Members.end(),
                         [&](int a, int b) { return compare(a, b) * direction < 0; });
        order.insert(order.end(), group.Members.begin(), group.Members.end());
    }
    return order;
}
