#include "grid/GxGrid.h"

TDataGrid::TDataGrid(QWidget* parent) : TGxCustomGrid(parent)
{
}
