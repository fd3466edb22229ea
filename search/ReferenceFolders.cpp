#include "search/ReferenceFolders.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"

TReferenceFolders::TReferenceFolders(const std::vector<QByteArray>& folders, TFileSystem& files)
    : m_files(&files)
{
    for (const QByteArray& folder : folders) {
        const TEntryStatus status = files.LookUp(folder);
        if (status.Kind == TEntryKind::Folder)
            m_folders.insert(status.Identity);
    }
}

bool TReferenceFolders::Contains(const QByteArray& path) const
{
    if (m_folders.empty())
        return false;
    const QByteArray folder = FolderOf(path);
    const auto known = m_known.constFind(folder);
    if (known != m_known.constEnd())
        return known.value();
    const bool inside = FolderIsInside(m_files->RealPath(folder));
    m_known.insert(folder, inside);
    return inside;
}

// Without links in the path its folders are the ones that really hold the file, up to the root.
bool TReferenceFolders::FolderIsInside(const QByteArray& realFolder) const
{
    for (QByteArray folder = realFolder; !folder.isEmpty(); folder = FolderOf(folder)) {
        const TEntryStatus status = m_files->LookUp(folder);
        if (status.Kind == TEntryKind::Folder && m_folders.count(status.Identity))
            return true;
        if (folder == "/")
            break;
    }
    return false;
}
