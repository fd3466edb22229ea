#pragma once

#include "platform/FileEntry.h"
#include "platform/RemovalResult.h"

#include <QByteArray>
#include <sys/types.h>
#include <unordered_map>

// The desktop's trash in the freedesktop.org layout that file managers share: a file goes to the
// home trash ($XDG_DATA_HOME/Trash) when it lies on the same file system, else to its volume's
// $top/.Trash/$uid (when an administrator made $top/.Trash with its sticky bit) or
// $top/.Trash-$uid. Each file gets a record in info/ naming its old place, then moves into
// files/ under the record's name; both folders are made when missing.
//
// Every step reports its error instead of retrying: a name is looked for in a bounded number of
// probes, and a record that cannot be created (a read-only or full file system) ends the attempt
// with the file in its place. One object serves a whole run, so the folders are looked up once.
class TTrash
{
public:
    // The home trash as the environment names it.
    TTrash();
    explicit TTrash(QByteArray homeTrash);
    virtual ~TTrash() = default;
    TTrash(const TTrash&) = delete;
    TTrash& operator=(const TTrash&) = delete;

    // Moves the entry (a link itself, never its target) into the trash, when it is still what the
    // check saw. Removed only once the same file lies in a trash folder and not at the path.
    // Names are bytes: one that is not UTF-8 keeps them all; one too long for its record's name
    // is shortened in the trash, while the record keeps the whole path.
    TRemovalResult MoveIn(const QByteArray& path, const TFileEntry& checked);

protected:
    // Creates the record file exclusively for writing: a descriptor, or -1 with errno set.
    // Tests put failures of a full disk in its place.
    virtual int CreateRecord(const QByteArray& path);
    // The top folder of the mounted file system that holds the folder (its mount point), where
    // a volume trash lies. Tests name a folder of their own, so nothing outside them changes.
    virtual QByteArray TopFolderOf(const QByteArray& folder);

private:
    // A trash folder with its files/ and info/; Error is why it could not be had.
    struct TPlace
    {
        QByteArray Root;
        // The folder that records name places relative to; empty for the home trash.
        QByteArray Top;
        int Error = 0;
    };

    const TPlace& PlaceFor(dev_t device, const QByteArray& folder);
    TPlace HomePlace() const;
    TPlace VolumePlace(const QByteArray& top) const;
    // Claims a name with the record, then renames the entry to it: trashed receives its new path.
    TRemovalResult MoveInto(const TPlace& place, const QByteArray& path, const QByteArray& record,
                            QByteArray& trashed);

    QByteArray m_homeTrash;
    std::unordered_map<dev_t, TPlace> m_places;
};
