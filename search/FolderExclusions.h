#pragma once

#include "search/Masks.h"

#include <QByteArray>
#include <vector>

// The folders a scan does not enter, as patterns in the mask syntax separated by ';'
// (".git;node_modules;/home/me/cache*"). A pattern with a '/' is matched against the folder's
// whole path (a trailing '/' ignored), any other against the folder's name alone; as in every
// mask, * also matches a '/' and ASCII letters match without regard to case.
class TFolderExclusions
{
public:
    TFolderExclusions() = default;
    // Raises EMaskException for an invalid pattern, naming the whole text and the position.
    explicit TFolderExclusions(const QByteArray& patterns);

    bool Empty() const { return m_names.empty() && m_paths.empty(); }
    // Whether the folder at path (without a trailing '/') is excluded.
    bool Excludes(const QByteArray& path) const;

private:
    std::vector<TMask> m_names;
    std::vector<TMask> m_paths;
};
