// The state of a drafting view that undo and redo answer for, as text, so
// that two moments of a session compare byte for byte.
#pragma once

#include <string>

class CDraftView;

namespace draftsequence {

struct DrawingState {
  // The drawing's entities in drawing order, as the drawing file lists them
  // (kind, layer, group, geometry; block members, curve records and table
  // rows and cells in braces), each followed by its attribute items. What
  // is selected is listed where it stands in drawing order, so the
  // selection itself is no part of it.
  std::string entities;
  // What no undo record holds: the drawing groups (scale, origin,
  // picked-whole flag, items), the current group and layer, the layers that
  // differ from a new drawing's, the drawing's attribute items and the
  // three-view division. Undo and redo leave it as it is.
  std::string settings;

  bool operator==(const DrawingState&) const = default;
};

// Reads the view's state. The view's selection is put back as it was (the
// same entities selected in the same order).
DrawingState CaptureState(CDraftView& view);

// The first line where two texts differ, with its number, for a message.
std::string FirstDifference(const std::string& expected, const std::string& actual);

}  // namespace draftsequence
