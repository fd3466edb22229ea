#pragma once

#include <QByteArray>

class TMemoLines;
struct TSearchView;

// Appends to the list the full path of every file in the folder whose name matches the mask, in
// the order the file system returns the entries, and with recurse the content of every subfolder
// where the subfolder's entry is met. Paths are the folder with a trailing "/" followed by the
// entry name, byte for byte. Hidden entries count; directories are never tested against the mask;
// a folder that cannot be read yields nothing. Links to directories are followed, but a directory
// that is already on the path being walked is not entered again, so a cycle of links ends.
//
// After each walked subfolder Label1 names it and Label3 gives the running count; pending messages
// are handled after each added file and each entry; the walk stops when StopFlag reads 1 after
// an added file or a walked subfolder. An invalid mask raises EMaskException.
void ScanFolder(const QByteArray& folder, const QByteArray& mask, TMemoLines& list, bool recurse,
                const TSearchView& view);
