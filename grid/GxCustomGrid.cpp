#include "grid/GxCustomGrid.h"

TGxCustomGridControl::TGxCustomGridControl(QWidget* parent) : TGxScrollControl(parent)
{
}

TGxCustomGrid::TGxCustomGrid(QWidget* parent) : TGxCustomGridControl(parent)
{
}
