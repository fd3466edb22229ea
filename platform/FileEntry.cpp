#include "platform/FileEntry.h"

#include "platform/FileNames.h"

#include <sys/stat.h>

TFileEntry LookUpEntry(const QByteArray& path)
{
    TFileEntry entry;
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0)
        return entry;
    struct stat folderInfo = {};
    if (::stat(FolderOf(path).constData(), &folderInfo) != 0)
        return entry;
    entry.Exists = true;
    entry.Folder = TFileIdentity::Of(folderInfo);
    entry.Name = path.mid(path.lastIndexOf('/') + 1);
    entry.IsLink = S_ISLNK(info.st_mode);
    if (entry.IsLink && ::stat(path.constData(), &info) != 0)
        return entry;
    entry.ReachesRegularFile = S_ISREG(info.st_mode);
    if (entry.ReachesRegularFile) {
        entry.File = TFileIdentity::Of(info);
        entry.Size = info.st_size;
    }
    return entry;
}
