#pragma once
// The table grid as the page editor writes it: the framed-text row, the header row, seven grid
// rows of 8 cells, four wide-cell rows (two narrow cells and one spanning 6 columns) and the
// closing row. Reading finds the cells again in this order.
#include "authoring/pageeditfields.h"

#include <QString>

namespace sorvek {

// The TABLE element with its line ends (CR), or "" when all 78 cells are empty. The grid rows are
// written, every cell of them, when one of the 77 cells after Memo1 holds text.
QString buildTableGrid(const PageEditFields &fields);

} // namespace sorvek
