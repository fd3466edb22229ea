#pragma once

#include <QByteArray>
#include <vector>

struct TSearchView;

// A further folder of a search.
struct TSearchFolder
{
    // In the file-name encoding.
    QByteArray Path;
    // Its files are compared with but never marked, removed or moved.
    bool Reference = false;
};

// What the user asked for, read from the options page when the run begins.
struct TSearchInputs
{
    // The folder as typed, in the file-name encoding; searched first.
    QByteArray Folder;
    // One mask or several separated by ';'.
    QByteArray Mask;
    // Applies to every folder.
    bool Recurse = false;
    // Searched after Folder, in this order.
    std::vector<TSearchFolder> MoreFolders = {};
    // Folders not entered: patterns separated by ';' (see TFolderExclusions).
    QByteArray SkipFolders = {};

    // The further folders marked as reference folders.
    std::vector<QByteArray> ReferenceFolders() const;
    // Folder, then every further folder.
    std::vector<QByteArray> SearchedFolders() const;
};

// The search started by Start, for a caller that has just set StopFlag to 0: clears the working
// data, scans the folder and reports each phase in the status lines. Every failure inside the run
// ends it quietly; the run ends with Label1 reading "Finish" and StopFlag at 1.
void RunSearch(const TSearchView& view, const TSearchInputs& inputs);
