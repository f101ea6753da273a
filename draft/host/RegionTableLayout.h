// Korrin's layout of a table built over picked regions (see
// CDraftView::BuildRegionTable): row i is region i's cell, segment i the
// region's bounding box (its top left corner the start, its bottom the end).
#pragma once

#include "platform/core/WinTypes.h"

class CTableEntity;

// Gives the cells of the first `count` rows the text height and the cell
// alignment (0 fill, 1 left, 2 centred, 3 right), drops the rows and
// segments beyond `count`, and lays the table out (RecalcTable). Region i's
// point (xs[i], ys[i]) must lie in segment i's box (borders included):
// otherwise, and for a null table, a count outside 1 .. the rows or
// segments, or a height that is not positive, nothing changes and the
// result is FALSE.
BOOL SetRegionTableLayout(CTableEntity* table, double textHeight, int alignment, int count, const double* xs,
                          const double* ys);
