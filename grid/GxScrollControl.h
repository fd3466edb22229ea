#pragma once

#include <QAbstractScrollArea>

// The scrolling base of the grid: a window with its own two scroll bars.
class TGxCustomScrollControl : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TGxCustomScrollControl(QWidget* parent = nullptr);
};

class TGxScrollControl : public TGxCustomScrollControl
{
    Q_OBJECT
public:
    explicit TGxScrollControl(QWidget* parent = nullptr);
};
