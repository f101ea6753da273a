// The state of one scroll bar (a window's horizontal or vertical bar, or a
// scroll-bar control): its range, page, position and, while the user drags
// the thumb, the tracking position. The limits are the system's: the page
// is at most the size of the range, and the position runs from the range's
// minimum to its maximum less the page plus one.
#pragma once

#include "platform/ui/WinUser.h"

namespace platform {

struct ScrollBarState {
  int min = 0;
  int max = 0;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;  // the user is dragging the thumb
  UINT arrows = ESB_ENABLE_BOTH;

  // Applies the members that `info.fMask` names and clamps the rest to
  // them; gives the position.
  int Set(const SCROLLINFO& info);
  // Fills the members that `info.fMask` names; the tracking position is the
  // position while no drag is under way.
  void Get(SCROLLINFO& info) const;
  // The largest position the range and page allow.
  int Limit() const;
  // Whether any position other than the minimum exists (a bar that cannot
  // scroll is hidden or disabled).
  bool CanScroll() const { return Limit() > min; }
};

}  // namespace platform
