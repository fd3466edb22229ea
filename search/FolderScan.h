#pragma once

#include <QByteArray>

class TFileSystem;
class TMemoLines;
struct TSearchView;

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
// an added file or a walked subfolder. An invalid mask raises EMaskException.
void ScanFolder(const QByteArray& folder, const QByteArray& mask, TMemoLines& list, bool recurse,
                const TSearchView& view, TFileSystem& files);
