#pragma once

#include "platform/FileIdentity.h"

#include <QByteArray>
#include <QHash>
#include <unordered_set>
#include <vector>

class TFileSystem;

// The folders whose files a search only compares with: their files are listed but never marked,
// removed or moved. A file belongs to one when a folder that really holds it (links resolved)
// is a reference folder or lies below one, compared by device and inode: a path through a link,
// a bind mount or a second name of the folder is recognised as well.
class TReferenceFolders
{
public:
    TReferenceFolders() = default;
    // Folders that cannot be looked up protect nothing: they hold no file to protect.
    TReferenceFolders(const std::vector<QByteArray>& folders, TFileSystem& files);

    bool Empty() const { return m_folders.empty(); }
    // Whether the file the path names lies in a reference folder or below one. Asks the disk
    // once per folder; the answers are kept for the object's life.
    bool Contains(const QByteArray& path) const;

private:
    bool FolderIsInside(const QByteArray& realFolder) const;

    TFileSystem* m_files = nullptr;
    std::unordered_set<TFileIdentity> m_folders;
    mutable QHash<QByteArray, bool> m_known;
};
