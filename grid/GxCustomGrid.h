#pragma once

#include "grid/GxScrollControl.h"

// Geometry, painting, selection and events of the grid.
class TGxCustomGridControl : public TGxScrollControl
{
    Q_OBJECT
public:
    explicit TGxCustomGridControl(QWidget* parent = nullptr);
};

// Mouse, keyboard, column dragging and the published properties.
class TGxCustomGrid : public TGxCustomGridControl
{
    Q_OBJECT
public:
    explicit TGxCustomGrid(QWidget* parent = nullptr);
};
