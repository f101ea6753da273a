// CrossPoint: a place where a wire crosses a page boundary of a diagram
// that spans several pages. Pages are numbered from 1, row by row.
#pragma once

struct CrossPoint {
  // 1: a vertical boundary (between two columns of pages); 0: a horizontal
  // one (between two rows).
  int nKind;
  int x;
  int y;
  // Kind 1: the page right of the boundary; kind 0: the page below it.
  int nFirstPage;
  // Kind 1: the page left of the boundary; kind 0: the page above it.
  int nSecondPage;
};
