#pragma once

#include "platform/FileEntry.h"

#include <QByteArray>
#include <functional>
#include <vector>

// One row of the results as a removal sees it: the path in the file-name encoding, its mark, and
// whether the file lies in a reference folder.
struct TResultFile
{
    QByteArray Path;
    bool Marked = false;
    bool Reference = false;
};

// What a removal does with one row.
enum class TRemovalChoice {
    // Not marked, or a second row naming an entry that an earlier row removes.
    Untouched,
    // A copy: another file of the results keeps the same bytes. Also a marked path that is gone
    // or a dangling link, which hold no picture.
    Remove,
    // Marked but left alone: the copy kept of its picture, or no longer identical to any other
    // file of the results (changed, its twins gone, or not a regular file any more).
    Keep,
};

// Decides, on the disk as it is now, which marked rows may go without a picture losing its last
// copy. Files count by what their names reach (device and inode), so a link or a second name of
// one file is never a copy of it. Files are grouped by size, then by content with the search's
// own ordering and byte comparison; within each group of two or more files one regular entry
// stays: the first unmarked one, else the first marked one in row order. Only sizes with a
// marked row are read. A file of a reference folder counts as unmarked whatever its mark says:
// it is never removed, and is the copy its picture keeps. onFileRead is called after each file
// read or pair compared. entries, when given, receives what each row's path named at the check,
// so that a removal can tell whether it still does.
std::vector<TRemovalChoice> ChooseRemovals(const std::vector<TResultFile>& files,
                                           const std::function<void()>& onFileRead = {},
                                           std::vector<TFileEntry>* entries = nullptr);
