#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// One line of a file's properties: what it is and its value, as the user reads them.
struct TFileProperty
{
    QString Name;
    QString Value;

    friend bool operator==(const TFileProperty&, const TFileProperty&) = default;
};

// What the file system tells about the file at the path (the file system's bytes): its name,
// folder, size in bytes and in the larger units, dates, permissions, owner and group, and for a
// picture its size in pixels. A link is described as the file it reaches, with the link's target
// named. A path that cannot be examined gives its name, folder and the system's reason.
std::vector<TFileProperty> FileProperties(const QByteArray& path);
