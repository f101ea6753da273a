// A tool-bar resource: the size of a button image, the command ids of the
// buttons in order (0 is a separator), and the bitmap that holds the button
// images side by side, one per non-separator button. The bitmap has the
// tool bar's id unless the declaration names another:
//
//   ToolBar(138, 16, 15, {1037, 302, 0, 334, 1111})
//   ToolBar(139, 16, 15, {1037, 302, 0, 334, 1111, 32775}).Bitmap(140)
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/core/WinTypes.h"

namespace platform {

struct ToolBarTemplate {
  UINT id = 0;
  UINT bitmapId = 0;
  int buttonWidth = 0;
  int buttonHeight = 0;
  std::vector<UINT> buttons;

  // The number of images the bitmap holds: one per button that is not a
  // separator.
  int ImageCount() const {
    int n = 0;
    for (UINT b : buttons) n += b != 0;
    return n;
  }

  ToolBarTemplate& Bitmap(UINT id) {
    bitmapId = id;
    return *this;
  }
};

namespace rc {

inline ToolBarTemplate ToolBar(UINT id, int buttonWidth, int buttonHeight, std::initializer_list<UINT> buttons) {
  return ToolBarTemplate{id, id, buttonWidth, buttonHeight, std::vector<UINT>(buttons)};
}

}  // namespace rc
}  // namespace platform
