#pragma once

#include <QByteArray>
#include <functional>
#include <vector>

// One row of the results as the keep-one rules see it.
struct TTwinRow
{
    // The group number: rows of byte-identical files share it.
    int Group = 0;
    // The date the Date column shows, as a date-time value.
    double Date = 0;
    QByteArray Path;
    bool Marked = false;
    // A copy in a reference folder: never marked, and the copy its group keeps.
    bool Reference = false;
};

// The rules that leave one copy (or the copies of one folder) of each group unmarked.
enum class TKeepRule {
    // In each group the oldest row stays unmarked, every other one is marked.
    Oldest,
    // The newest.
    Newest,
    // The row with the shortest path.
    ShortestPath,
    // In each group with a copy in the folder those copies stay unmarked and the others are
    // marked; other groups keep their marks.
    CopiesInFolder,
    // The copies in the folder are marked; a group that would then be marked whole keeps its
    // first copy there by the default order unmarked.
    MarkFolder,
};

// Whether a comes before b as the copy to keep by default: the older, then the shorter path,
// then the path's bytes.
bool KeepsBefore(const TTwinRow& a, const TTwinRow& b);

// The marks the rule gives the rows, index for index. No group ends up marked whole by a rule,
// and no reference copy is marked: a group with one keeps its reference copies and no other.
// folder is the folder the two folder rules work on (a path as FolderOf gives it).
std::vector<bool> KeepRuleMarks(const std::vector<TTwinRow>& rows, TKeepRule rule,
                                const QByteArray& folder = {});

// Each group's keeper: among its unmarked rows, or all of its rows when every one is marked, the
// one KeepsBefore puts first. Returned per row: the index of its group's keeper.
std::vector<int> KeeperOfEachRow(const std::vector<TTwinRow>& rows);

// The row order that keeps each group's rows together for a sort by one column: the groups in the
// order of their keepers' values (keepers as KeeperOfEachRow gives them), the rows of a group in
// the order of their own values; descending reverses both. compare(a, b) compares the values of
// rows a and b: negative, zero or positive. Groups whose keepers' values are equal, and rows of
// equal values, keep their present order.
std::vector<int> GroupedOrder(const std::vector<TTwinRow>& rows,
                              const std::function<int(int, int)>& compare, bool ascending);
