#include "search/TwinGroups.h"

#include "platform/FileNames.h"

#include <algorithm>
#include <numeric>
#include <span>

namespace {

// The row indices with every group's rows together, in present order within a group, and each
// group's run of them.
struct TGroupRuns
{
    std::vector<int> Order;
    std::vector<std::span<int>> Groups;
};

TGroupRuns GroupsOf(const std::vector<TTwinRow>& rows)
{
    TGroupRuns runs{std::vector<int>(rows.size()), {}};
    std::vector<int>& order = runs.Order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&rows](int a, int b) {
        return rows[size_t(a)].Group < rows[size_t(b)].Group;
    });
    for (size_t end = 0, begin = 0; end <= order.size(); ++end)
        if (end == order.size() ||
            rows[size_t(order[end])].Group != rows[size_t(order[begin])].Group) {
            if (end > begin)
                runs.Groups.emplace_back(order.data() + begin, end - begin);
            begin = end;
        }
    return runs;
}

// The member that before puts first among those that pass; -1 when none passes.
template <typename Before, typename Pass>
int FirstBy(const std::vector<TTwinRow>& rows, std::span<const int> members, Before before,
            Pass pass)
{
    int first = -1;
    for (int row : members)
        if (pass(rows[size_t(row)]) &&
            (first < 0 || before(rows[size_t(row)], rows[size_t(first)])))
            first = row;
    return first;
}

template <typename Before>
int FirstBy(const std::vector<TTwinRow>& rows, std::span<const int> members, Before before)
{
    return FirstBy(rows, members, before, [](const TTwinRow&) { return true; });
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
void KeepOne(std::vector<bool>& marks, std::span<const int> members, int keeper)
{
    for (int row : members)
        marks[size_t(row)] = row != keeper;
}

bool AnyOf(const std::vector<TTwinRow>& rows, std::span<const int> members,
           bool (*test)(const TTwinRow&))
{
    return std::any_of(members.begin(), members.end(),
                       [&](int row) { return test(rows[size_t(row)]); });
}

bool IsReference(const TTwinRow& row)
{
    return row.Reference;
}

bool IsUnmarked(const TTwinRow& row)
{
    return !row.Marked;
}

// The first by the order among the members a keep-one rule may choose from: the reference copies
// when the group has any, since they stay whatever the marks say and so already keep the picture.
template <typename Before>
int FirstCandidate(const std::vector<TTwinRow>& rows, std::span<const int> members, Before before)
{
    if (AnyOf(rows, members, IsReference))
        return FirstBy(rows, members, before, IsReference);
    return FirstBy(rows, members, before);
}

// Among the group's unmarked rows, or all of them when every one is marked, the one KeepsBefore
// puts first.
int KeeperOf(const std::vector<TTwinRow>& rows, std::span<const int> members)
{
    if (AnyOf(rows, members, IsUnmarked))
        return FirstBy(rows, members, KeepsBefore, IsUnmarked);
    return FirstBy(rows, members, KeepsBefore);
}

void ApplyToGroup(std::vector<bool>& marks, const std::vector<TTwinRow>& rows,
                  std::span<const int> members, TKeepRule rule, const QByteArray& folder)
{
    const auto copiesInFolder = [&] {
        std::vector<int> copies;
        for (int row : members)
            if (FolderOf(rows[size_t(row)].Path) == folder)
                copies.push_back(row);
        return copies;
    };
    switch (rule) {
    case TKeepRule::Oldest:
        return KeepOne(marks, members, FirstCandidate(rows, members, KeepsBefore));
    case TKeepRule::Newest:
        return KeepOne(marks, members, FirstCandidate(rows, members, NewerBefore));
    case TKeepRule::ShortestPath:
        return KeepOne(marks, members, FirstCandidate(rows, members, ShorterBefore));
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
    if (a.Date != b.Date)
        return a.Date < b.Date;
    if (a.Path.size() != b.Path.size())
        return a.Path.size() < b.Path.size();
    return a.Path < b.Path;
}

std::vector<bool> KeepRuleMarks(const std::vector<TTwinRow>& rows, TKeepRule rule,
                                const QByteArray& folder)
{
    std::vector<bool> marks(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        marks[i] = rows[i].Marked;
    for (const std::span<int> members : GroupsOf(rows).Groups)
        ApplyToGroup(marks, rows, members, rule, folder);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Reference)
            marks[i] = false;
    return marks;
}

std::vector<int> KeeperOfEachRow(const std::vector<TTwinRow>& rows)
{
    std::vector<int> keepers(rows.size());
    for (const std::span<int> members : GroupsOf(rows).Groups) {
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
        std::span<int> Members;
    };
    TGroupRuns runs = GroupsOf(rows);
    std::vector<TGroupKey> groups;
    groups.reserve(runs.Groups.size());
    for (const std::span<int> members : runs.Groups)
        groups.push_back({KeeperOf(rows, members), members.front(), members});
    // In present order first, so that a stable sort by keeper leaves equal keys there; merging
    // also compares the values fewer times than other sorts, and each comparison is the cost.
    std::sort(groups.begin(), groups.end(),
              [](const TGroupKey& a, const TGroupKey& b) { return a.Place < b.Place; });
    std::stable_sort(groups.begin(), groups.end(), [&](const TGroupKey& a, const TGroupKey& b) {
        return compare(a.Keeper, b.Keeper) * direction < 0;
    });
    std::vector<int> order;
    order.reserve(rows.size());
    for (const TGroupKey& group : groups) {
        std::stable_sort(group.Members.begin(), group.Members.end(),
                         [&](int a, int b) { return compare(a, b) * direction < 0; });
        order.insert(order.end(), group.Members.begin(), group.Members.end());
    }
    return order;
}
