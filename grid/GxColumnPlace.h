#pragma once

class TGxCustomColumn;

// Where a column stands among the visible columns of its collection, which decides how its
// header item meets its neighbours.
bool IsOnlyVisibleColumn(const TGxCustomColumn& column);
bool IsFirstVisibleColumn(const TGxCustomColumn& column);
bool IsLastVisibleColumn(const TGxCustomColumn& column);
