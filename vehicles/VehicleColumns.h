#pragma once
// Column reads of the vehicle simulation that tolerate short rows: a person
// row or a vehicle-make row that lacks a column reads 0.0 there, and so does
// a missing row.

#include <vector>

inline double ColumnOrZero(const std::vector<double>* row, int column) {
    if (!row || column < 0 || static_cast<std::size_t>(column) >= row->size()) return 0.0;
    return (*row)[static_cast<std::size_t>(column)];
}

inline bool RowHasColumn(const std::vector<double>* row, int column) {
    return row && column >= 0 && static_cast<std::size_t>(column) < row->size();
}
