#pragma once

#include "grid/Datagrid.h"

// Holds a grid's update lock for as long as it lives, so the grid repaints once at the end, also
// when the work ends by an exception.
class GridUpdateLock {
public:
    explicit GridUpdateLock(TDataGrid& grid) : grid(grid) { grid.BeginUpdate(); }
    ~GridUpdateLock() { grid.EndUpdate(); }
    GridUpdateLock(const GridUpdateLock&) = delete;
    GridUpdateLock& operator=(const GridUpdateLock&) = delete;

private:
    TDataGrid& grid;
};
