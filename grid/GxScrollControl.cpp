#include "grid/GxScrollControl.h"

TGxCustomScrollControl::TGxCustomScrollControl(QWidget* parent) : QAbstractScrollArea(parent) {}

TGxScrollControl::TGxScrollControl(QWidget* parent) : TGxCustomScrollControl(parent) {}
