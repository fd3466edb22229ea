#include "search/MaskList.h"

#include <algorithm>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The end of the mask that starts at from: the next ';' outside a set, or the end of the text.
qsizetype MaskEnd(const QByteArray& masks, qsizetype from)
{
    bool inSet = false;
    for (qsizetype at = from; at < masks.size(); ++at) {
        const char c = masks[at];
        if (inSet)
            inSet = c != ']';
        else if (c == '[')
            inSet = true;
        else if (c == ';')
            return at;
    }
    return masks.size();
}

} // namespace

std::vector<TMaskListItem> SplitMaskList(const QByteArray& masks)
{
    const QByteArray text =
        masks.left(qsizetype(qstrnlen(masks.constData(), size_t(masks.size()))));
    std::vector<TMaskListItem> items;
    for (qsizetype start = 0; start <= text.size();) {
        const qsizetype end = MaskEnd(text, start);
        qsizetype first = start;
        qsizetype last = end;
        while (first < last && IsBlank(text[first]))
            ++first;
        while (last > first && IsBlank(text[last - 1]))
            --last;
        if (first < last)
            items.push_back({first, text.mid(first, last - first)});
        start = end + 1;
    }
    return items;
}

TMask CompileListedMask(const QByteArray& masks, const TMaskListItem& item)
{
    try {
        return TMask(item.Mask);
    } catch (const EMaskException& error) {
        throw EMaskException(
            masks.left(qsizetype(qstrnlen(masks.constData(), size_t(masks.size())))),
            int(item.Start) + error.Position());
    }
}

TMaskList::TMaskList(const QByteArray& masks)
{
    for (const TMaskListItem& item : SplitMaskList(masks))
        m_masks.push_back(CompileListedMask(masks, item));
}

bool TMaskList::MatchName(const QByteArray& name) const
{
    return std::any_of(m_masks.begin(), m_masks.end(),
                       [&name](const TMask& mask) { return mask.MatchName(name); });
}
