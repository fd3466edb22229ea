#pragma once

#include "platform/FileEntry.h"
#include "platform/RemovalResult.h"

#include <QByteArray>

// Removes the entry by overwriting: when it is still what the check saw, its name goes first,
// and only once the file has no name left are its bytes overwritten three times with
// pseudo-random bytes, each pass flushed, through the descriptor opened before. A file whose name
// cannot be removed (a sticky or append-only folder) is therefore never written to. A symbolic
// link is removed as a link, never written through; a file with another hard link is only
// unlinked, since its data lives on under the other name. Raises EFOpenError "Cannot open file
// "%s". %s" when the file is there but cannot be opened for reading and writing.
TRemovalResult OverwriteAndDelete(const QByteArray& path, const TFileEntry& checked);
