#pragma once

#include <QByteArray>
#include <QUrl>
#include <functional>

// The desktop's handling of files: a file opened with the program associated with it, a folder in
// the file manager, a file's properties. Each call returns at once and its outcome is not
// reported: when the desktop cannot open a path, nothing is said.

// The file URL of a path given as the file system's bytes. Bytes that are not UTF-8 stay
// percent-encoded as they are, so the URL still names that file.
QUrl LocalFileUrl(const QByteArray& path);

// Opens the file or folder as the desktop would on a double click.
void ShellOpen(const QByteArray& path);
// Shows a window with the file's properties, beside the caller's windows; it does not wait.
void ShellShowProperties(const QByteArray& path);

// What the two calls do, replaceable so that tests never start real programs. An empty member
// restores the desktop's own behaviour.
struct TShellHandlers
{
    std::function<void(const QUrl& url)> Open;
    std::function<void(const QByteArray& path)> ShowProperties;
};
void SetShellHandlers(TShellHandlers handlers);
