#pragma once

// What became of one marked file that a removal was asked to take away.
enum class TRemovalOutcome {
    // The entry left its place (and, when moved, lies where it was sent).
    Removed,
    // Nothing was at the path any more.
    Gone,
    // The path no longer names what the check before the run saw; it was left alone.
    Changed,
    // The system refused a step; Error holds its code and the entry is where it was, unchanged.
    Failed,
};

struct TRemovalResult
{
    TRemovalOutcome Outcome = TRemovalOutcome::Failed;
    // The errno of a failure, else 0.
    int Error = 0;

    static TRemovalResult Done() { return {TRemovalOutcome::Removed, 0}; }
    static TRemovalResult Failure(int error) { return {TRemovalOutcome::Failed, error}; }
    bool Removed() const { return Outcome == TRemovalOutcome::Removed; }
    friend bool operator==(const TRemovalResult&, const TRemovalResult&) = default;
};
