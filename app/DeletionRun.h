#pragma once

#include "edits/GxFolderEdit.h"

#include <QByteArray>
#include <vector>

class QWidget;
class TDataGrid;
class TMemo;
class TProgressBar;

// How the marked files go, as the deletion page's radio buttons choose.
enum class TDeletionMode {
    // To the desktop's trash.
    RecycleBin,
    // Overwritten three times, then deleted.
    HardDrive,
    // Moved aside into a folder the user chooses.
    CopyToFolder,
};

// The controls of the main window that a deletion run works with, so that tests run it against
// real controls without the rest of the window.
struct TDeletionView
{
    // The results: Dest (the path) and Del (the mark) of every row.
    TDataGrid& DataGrid1;
    // The report, which the run appends to.
    TMemo& Memo3;
    TProgressBar& ProgressBar2;
    // Set when the window closes: the run stops before the next row.
    const bool& Abandoned;
    // The reference folders of the search that made the results. Their files are never
    // removed: neither a row the search found in one (Ref) nor a file the disk now shows in one.
    std::vector<QByteArray> ReferenceFolders = {};
};

// Where "Copy to specified folder" moves the copies.
struct TMoveTarget
{
    // The chosen folder, in the file-name encoding.
    QByteArray Folder;
    // The folders the search looked in, the first folder first: each copy keeps its place below
    // the first of them that holds it.
    std::vector<QByteArray> SearchedFolders;
    // Whether their subfolders were searched.
    bool Recurse = false;
};

// Asks for the target folder with the dialog ("Select folder"), which starts at the home folder.
// False when the user cancels. A folder that the search looked into (a searched folder itself, or
// any folder below one when subfolders were searched) raises EInvalidOperation saying so.
bool ChooseMoveTarget(const TFolderDialog& dialog, QWidget* parent, TMoveTarget& target);

// Removes the marked files of the results in grid order and reports each one removed. Writes the
// mode's header line first, then refuses an empty grid through ProgressBar2's range error. Just
// before removing anything it checks which marked files still have a twin among the results, so
// that every picture keeps a copy, and each file goes only while it is still what that check saw.
// After the removed files the report lists every marked file that stayed, by reason. Pending
// messages are handled before each row; a row changed meanwhile is skipped. A file that cannot be
// opened for overwriting ends the run with EFOpenError, its report so far kept and completed.
void RunDeletion(const TDeletionView& view, TDeletionMode mode, const TMoveTarget& target = {});
