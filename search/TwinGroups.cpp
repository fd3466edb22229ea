#include "search/TwinGroups.h"

#include "platform/FileNames.h"

#include <algorithm>
#include <numeric>
#include <tuple>
#include <unordered_map>

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
        std::vector<int> unmarked;
        for (int row : members)
            if (!rows[size_t(row)].Marked)
                unmarked.push_back(row);
        const int keeper = FirstBy(rows, unmarked.empty() ? members : unmarked, KeepsBefore);
        for (int row : members)
            keepers[size_t(row)] = keeper;
    }
    return keepers;
}

std::vector<int> GroupedOrder(const std::vector<TTwinRow>& rows,
                              const std::function<int(int, int)>& compare, bool ascending)
{
    const std::vector<int> keepers = KeeperOfEachRow(rows);
    // Each row's group stands for the place of its first row: equal keys keep groups apart.
    std::vector<int> groupPlace(rows.size());
    std::unordered_map<int, int> firstPlace;
    for (size_t row = 0; row < rows.size(); ++row)
        groupPlace[row] = firstPlace.try_emplace(rows[row].Group, int(row)).first->second;
    const int direction = ascending ? 1 : -1;
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const size_t i = size_t(a), j = size_t(b);
        if (groupPlace[i] != groupPlace[j]) {
            if (const int byKeeper = compare(keepers[i], keepers[j]) * direction)
                return byKeeper < 0;
            return groupPlace[i] < groupPlace[j];
        }
        return compare(a, b) * direction < 0;
    });
    return order;
}
