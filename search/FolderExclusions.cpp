#include "search/FolderExclusions.h"

#include "search/MaskList.h"

#include <algorithm>

namespace {

bool AnyMatches(const std::vector<TMask>& masks, const QByteArray& text)
{
    return std::any_of(masks.begin(), masks.end(),
                       [&text](const TMask& mask) { return mask.MatchName(text); });
}

} // namespace

TFolderExclusions::TFolderExclusions(const QByteArray& patterns)
{
    for (TMaskListItem item : SplitMaskList(patterns)) {
        const bool isPath = item.Mask.contains('/');
        while (item.Mask.size() > 1 && item.Mask.endsWith('/'))
            item.Mask.chop(1);
        (isPath ? m_paths : m_names).push_back(CompileListedMask(patterns, item));
    }
}

bool TFolderExclusions::Excludes(const QByteArray& path) const
{
    if (Empty())
        return false;
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    return AnyMatches(m_names, name) || AnyMatches(m_paths, path);
}
