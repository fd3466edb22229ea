#include "grid/GxColumnPlace.h"

#include "grid/GxColumns.h"

bool IsOnlyVisibleColumn(const TGxCustomColumn& column)
{
    return column.Collection() && column.Collection()->VisibleCount() == 1;
}

bool IsFirstVisibleColumn(const TGxCustomColumn& column)
{
    return column.VisibleIndex() == 0;
}

bool IsLastVisibleColumn(const TGxCustomColumn& column)
{
    return column.Collection() && column.VisibleIndex() == column.Collection()->VisibleCount() - 1;
}
