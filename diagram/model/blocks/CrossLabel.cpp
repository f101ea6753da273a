// The cross and page labels drawn where a wire crosses a page boundary.
#include "diagram/model/blocks/DrawArc.h"
#include "platform/core/String.h"
#include "platform/gdi/DC.h"

void DrawCrossLabel(CDC* dc, CrossPoint& crossing, int bUpward, int number, int bText) {
  const int x = crossing.x;
  const int y = crossing.y;
  dc->MoveTo(x - 6, y + 6);
  dc->LineTo(x + 6, y - 6);
  dc->MoveTo(x + 6, y + 6);
  dc->LineTo(x - 6, y - 6);
  if (!bText) return;

  CStringW first;
  CStringW second;
  if (number < 0) {
    first.Format(u"%d-x", crossing.nFirstPage);
    second.Format(u"%d-x", crossing.nSecondPage);
  } else {
    first.Format(u"%d-%d", crossing.nFirstPage, number);
    second.Format(u"%d-%d", crossing.nSecondPage, number);
  }
  const int s = bUpward ? 1 : -1;
  const CSize firstSize = dc->GetTextExtent(first);
  const CSize secondSize = dc->GetTextExtent(second);
  // Each label stands on the side of the boundary opposite to the page it
  // names.
  if (crossing.nKind == 0) {
    dc->TextOut(x - firstSize.cx - 8, y + (firstSize.cy + 3) * s, first);
    dc->TextOut(x - secondSize.cx - 8, y - 3 * s, second);
  } else {
    dc->TextOut(x - firstSize.cx - 8, y + (firstSize.cy + 2) * s, first);
    dc->TextOut(x + 8, y + (secondSize.cy + 2) * s, second);
  }
}
