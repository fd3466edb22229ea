#pragma once

#include "search/Masks.h"

#include <QByteArray>
#include <vector>

// One mask of a list, with where it starts in the list's text (0-based).
struct TMaskListItem
{
    qsizetype Start;
    QByteArray Mask;
};

// The masks of a list separated by ';' ("*.jpg;*.png"). A ';' inside a set ("[;,]*") belongs to
// the set. Blanks around a mask are dropped and empty masks left out, so "*.jpg; *.png;" holds
// two masks and an empty text none. Like a single mask, the text ends at its first 0 byte.
std::vector<TMaskListItem> SplitMaskList(const QByteArray& masks);

// Compiles one mask of a list; an invalid one raises EMaskException naming the whole list and
// the 1-based position of the fault in it, so the user finds it where they typed it.
TMask CompileListedMask(const QByteArray& masks, const TMaskListItem& item);

// A list of masks: a name matches when it matches any of them; an empty list matches nothing.
class TMaskList
{
public:
    // Compiles every mask; raises EMaskException for an invalid one (see CompileListedMask).
    explicit TMaskList(const QByteArray& masks);

    bool MatchName(const QByteArray& name) const;
    bool Empty() const { return m_masks.empty(); }

private:
    std::vector<TMask> m_masks;
};
