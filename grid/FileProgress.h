#pragma once

#include "grid/Datagrid.h"

#include <cmath>

// Tells a grid's OnFileProgress the whole percentage of a file done, each value once.
class FileProgress {
public:
    explicit FileProgress(TDataGrid& grid) : grid(grid) {}

    // done of total, halves rounded to even; a total of 0 counts as all done.
    void Report(long long done, long long total) {
        if (!grid.OnFileProgress)
            return;
        const int percent =
            total > 0
                ? static_cast<int>(std::lrint(100.0 * static_cast<double>(done) / static_cast<double>(total)))
                : 100;
        if (percent == last)
            return;
        last = percent;
        grid.OnFileProgress(&grid, static_cast<short>(percent));
    }

private:
    TDataGrid& grid;
    int last = -1;
};
