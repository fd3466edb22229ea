#pragma once

#include "platform/FileEntry.h"
#include "platform/RemovalResult.h"

#include <QByteArray>
#include <sys/stat.h>

// Moves marked copies out of the way into a folder the user chose, keeping their place below the
// searched folder, instead of removing them.
class TMoveAside
{
public:
    explicit TMoveAside(QByteArray target) : m_target(std::move(target)) {}
    virtual ~TMoveAside() = default;
    TMoveAside(const TMoveAside&) = delete;
    TMoveAside& operator=(const TMoveAside&) = delete;

    const QByteArray& Target() const { return m_target; }

    // Moves the entry (a link as a link) to target/relative when it is still what the check saw,
    // making the folders on the way. A name already taken there gets " (2)", " (3)" ... before
    // its extension; nothing is ever replaced. Within one file system the entry is renamed;
    // across two, the file is copied, flushed to the disk and compared byte for byte before the
    // original is deleted, and a copy that failed any step is taken back.
    TRemovalResult Move(const QByteArray& path, const QByteArray& relative,
                        const TFileEntry& checked);

protected:
    // Renames without replacing: 0 or the errno (EXDEV between two file systems). Tests answer
    // EXDEV to move as across file systems.
    virtual int Rename(const QByteArray& from, const QByteArray& to);

private:
    // 0, or the errno of the step that failed; EEXIST when the name was taken meanwhile.
    int CopyAcross(const QByteArray& from, const QByteArray& to, const struct stat& entry);

    QByteArray m_target;
};
