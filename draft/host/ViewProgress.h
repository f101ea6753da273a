// Velmish's progress display of a drafting view: a long pass over the
// drawing shows how far it has come. The pass makes a progress record
// (CDraftView::ConstructProgressInfo), begins the display with the number of
// items, steps it once an item with the item's number (from 1) and a
// message, and ends it. The view keeps what the display shows.
#pragma once

#include "platform/core/String.h"

// One pass's progress: the items done of how many, and the message shown.
struct CProgressInfo {
  int count = 0;
  int index = 0;
  CStringA message;
};

// What the view's display shows and how it got there: whether a pass runs,
// how many passes began and ended, how many steps the last one took, and
// its last item number, count and message.
struct ViewProgressState {
  bool running = false;
  int begun = 0;
  int ended = 0;
  int steps = 0;
  int index = 0;
  int count = 0;
  CStringA message;
};
