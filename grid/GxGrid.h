#pragma once

#include "grid/GxCustomGrid.h"

// The data grid: binds the row and cell store to the grid control.
class TDataGrid : public TGxCustomGrid
{
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);
};
