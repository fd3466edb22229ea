#pragma once

#include <QByteArray>

struct TSearchView;

// What the user asked for, read from the options page when the run begins.
struct TSearchInputs
{
    // The folder as typed, in the file-name encoding.
    QByteArray Folder;
    QByteArray Mask;
    bool Recurse = false;
};

// The search started by Start, for a caller that has just set StopFlag to 0: clears the working
// data, scans the folder and reports each phase in the status lines. Every failure inside the run
// ends it quietly; the run ends with Label1 reading "Finish" and StopFlag at 1.
void RunSearch(const TSearchView& view, const TSearchInputs& inputs);
