#pragma once

#include <QByteArray>

// The two ways the program removes a file. Both take the entry's path in the file-name encoding
// and say whether the entry is gone from its place; a file is reported as removed only then.

// Moves the entry (a link itself, never its target) to the desktop's trash. True only when the
// entry has left its place and the same file now lies in a trash folder. A file that the trash
// cannot take (on another file system without a trash folder of its own, or with a name that is
// not valid UTF-8) stays where it is.
bool MoveToTrash(const QByteArray& path);

// Overwrites the file three times with pseudo-random bytes, fsyncing each pass, then deletes it.
// A symbolic link is deleted as a link, never written through, and a file with other hard links
// is only unlinked, since its data lives on under the other names. An entry that is no regular
// file, or whose folder does not let it be deleted, is left alone. Raises EFOpenError "Cannot open
// file "%s". %s" when the path cannot be opened for reading and writing.
bool OverwriteAndDelete(const QByteArray& path);
