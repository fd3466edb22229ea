#pragma once

#include <QByteArray>
#include <vector>

class TFileSystem;
class TMemoLines;
struct TSearchView;

// What a scan covers.
struct TScanScope
{
    // The folders in scan order.
    std::vector<QByteArray> Folders;
    // Masks separated by ';' (see TMaskList).
    QByteArray Mask;
    bool Recurse = false;
    // Folders not entered, as patterns (see TFolderExclusions).
    QByteArray SkipFolders;
};

// Appends to the list the full path of every file in the folder whose name matches the mask, in
// the order the file system returns the entries, and with recurse the content of every subfolder
// where the subfolder's entry is met. Paths are the folder with a trailing "/" followed by the
// entry name, byte for byte. Hidden entries count; directories are never tested against the mask;
// a folder that cannot be read yields nothing, and one that fails part-way what was read from it
// (with a warning naming it).
// An entry that cannot be examined (a broken link, a loop of links) is skipped. Links to
// directories are followed, but every directory (device and inode) is entered once per scan, at
// the first path that reaches it, so links neither repeat files nor make the walk endless.
//
// After each walked subfolder Label1 names it and Label3 gives the running count; pending messages
// are handled after each added file and each entry; the walk stops when StopFlag reads 1 after
// an added file or a walked subfolder. The mask may be a list of masks; an invalid one raises
// EMaskException.
void ScanFolder(const QByteArray& folder, const QByteArray& mask, TMemoLines& list, bool recurse,
                const TSearchView& view, TFileSystem& files);

// ScanFolder over every folder of the scope in turn, into one list. A folder is entered once
// however it is reached: given twice, lying inside a folder walked before, or through a link. An
// excluded folder is not entered, nor is anything below it unless given itself (and not
// excluded). Every folder after the first that is not searched (missing, unreadable, excluded)
// is told once through view.FolderNotice. A stop request ends the scan as in ScanFolder. Invalid
// skip patterns raise EMaskException before anything is walked.
void ScanFolders(const TScanScope& scope, TMemoLines& list, const TSearchView& view,
                 TFileSystem& files);
