#pragma once

#include <QVariant>

// The roles of a table cell that holds one number: the number itself (charts read it,
// the view shows it in its C locale), every digit in the tool tip, right-aligned.
QVariant NumberCellData(double value, int role);
