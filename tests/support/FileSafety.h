#pragma once

#include <QByteArray>
#include <functional>
#include <map>
#include <vector>

// Helpers for tests that remove files: what a folder holds, and the situations (another user,
// protected folders) that the suite, run as root, could not otherwise build.

// Every file and link below the folder, by path, with its bytes (a link: "-> " and its target).
// The trash folders are left out: removals fill them.
std::map<QByteArray, QByteArray> FilesBelow(const QByteArray& folder);

// The names in a folder, sorted, as bytes; empty when it cannot be read.
std::vector<QByteArray> NamesIn(const QByteArray& folder);

bool RunsAsRoot();

// Runs the work with the file permissions of an ordinary user (OrdinaryFileAccess), which bind
// also when the suite runs as root; gives the work's result.
int AsUnprivileged(const std::function<int()>& work);

// Hands the path to the user that AsUnprivileged runs as (a no-op unless running as root).
void GiveToUnprivileged(const QByteArray& path);

// Sets or clears an inode flag (FS_APPEND_FL, FS_IMMUTABLE_FL) as chattr does: 0 or the errno,
// for example EPERM without the privilege or EOPNOTSUPP on a file system without flags.
int SetInodeFlag(const QByteArray& path, int flag, bool on);

// Writes the file at the path, bytes for name and content, making the folders on the way;
// gives the path back.
QByteArray WriteBytes(const QByteArray& path, const QByteArray& bytes);
// The bytes of the file at the path (a link: "-> " and its target); empty when it is missing.
QByteArray ReadBytes(const QByteArray& path);

// Whether /dev/shm, where tests make a folder on a second file system, lies on another file
// system than the folder.
bool SharedMemoryIsAnotherFileSystem(const QByteArray& folder);
