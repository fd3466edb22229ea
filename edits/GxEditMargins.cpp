#include "edits/GxEditMargins.h"

void TGxEditMargins::SetLeft(int value)
{
    Assign(m_left, value);
}

void TGxEditMargins::SetRight(int value)
{
    Assign(m_right, value);
}

void TGxEditMargins::Assign(int& field, int value)
{
    if (value == field)
        return;
    field = value;
    if (OnChange)
        OnChange();
}
