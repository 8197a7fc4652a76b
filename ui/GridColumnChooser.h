#pragma once

class QTableView;

// The grid's columns the user shows or hides: a menu on the header (a right-click)
// with one check item per column. A window narrower than the classic one starts
// with the compact set (index, name, type, transmission, inlet diameter), so that
// the grid fits beside the property pages.
namespace GridColumnChooser {

void Install(QTableView* grid);
// Hides the columns outside the compact set when `compact`, shows them otherwise.
void ApplyCompact(QTableView* grid, bool compact);

} // namespace GridColumnChooser
