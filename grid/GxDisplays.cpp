#include "grid/GxDisplays.h"

#include "grid/GxColumnClasses.h"
#include "platform/SysUtils.h"

void TColumnPlay::SetCell(int ACol, int ARow)
{
    m_col = ACol;
    m_row = ARow;
}

void TColumnPlay::KeyPress(QChar) {}

void TColumnPlay::DoChange()
{
    if (OnChange)
        OnChange(*this);
}

void TCheckBoxColumnPlay::KeyPress(QChar key)
{
    if (key == u' ')
        Toggle();
}

void TCheckBoxColumnPlay::Toggle()
{
    SetBoolValue(!BoolValue());
    SetText(BoolToStr(BoolValue()));
    DoChange();
    auto& column = static_cast<TGxCheckBoxColumn&>(Column());
    if (column.OnChange)
        column.OnChange(&column);
}
