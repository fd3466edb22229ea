#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <cstdint>

// What one path names on the disk now. A path is a directory entry (a folder and a name in it)
// that reaches a file, either itself or through a symbolic link. Removing a path removes the
// entry; the file's data goes only with its last entry.
struct TFileEntry
{
    // The entry is there (a dangling link counts).
    bool Exists = false;
    bool IsLink = false;
    // The entry reaches a regular file, itself or through its link.
    bool ReachesRegularFile = false;
    // The file the entry reaches, and its size; only when it reaches a regular file.
    TFileIdentity File;
    int64_t Size = 0;
    // The folder holding the entry, and the entry's name in it. Two paths with the same folder
    // and name are one entry, for example one reached through a linked folder.
    TFileIdentity Folder;
    QByteArray Name;

    bool SameEntry(const TFileEntry& other) const
    {
        return Exists && other.Exists && Folder == other.Folder && Name == other.Name;
    }
};

// Looks the path up without opening anything.
TFileEntry LookUpEntry(const QByteArray& path);
