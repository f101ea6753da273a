// Velmish's display object of a drafting view: how the view repaints what
// it shows. A repaint (RefreshView, and a zoom or a pan, which change what
// the view shows) goes through it:
// - mode 0 (the default): every repaint is done at once;
// - mode 1: repaints are held: the display notes that one is owed and
//   nothing is painted; leaving mode 1 does the owed repaint, once;
// - mode 2 (set before a window zoom): repaints are done at once, the whole
//   view regenerated from the drawing. This view keeps no picture to reuse,
//   so each of its repaints is whole in mode 0 too.
#pragma once

#include "platform/core/WinTypes.h"

class CDraftView;

class CViewDisplay {
 public:
  static constexpr int kModeImmediate = 0;
  static constexpr int kModeHeld = 1;
  static constexpr int kModeRegenerate = 2;

  explicit CViewDisplay(CDraftView* view) : view_(view) {}
  CViewDisplay(const CViewDisplay&) = delete;
  CViewDisplay& operator=(const CViewDisplay&) = delete;

  // FALSE (the mode unchanged) for a mode other than 0, 1 and 2.
  BOOL SetDisplayMode(int mode);
  int GetDisplayMode() const { return mode_; }
  // Whether a repaint asked for in mode 1 is still to be done.
  bool IsRepaintOwed() const { return owed_; }

  // The display transform between the drawing and the screen: whether it
  // does more than zoom and pan (a turned or distorted display, where
  // drawing distances are not screen distances over one factor). This view
  // only zooms and pans, so the test is FALSE. The factor is the pixels per
  // drawing unit, the view's zoom.
  BOOL IsTransformed() const { return FALSE; }
  double GetTransformFactor() const;

  // The view asks before it repaints: true to paint now; false notes the
  // repaint as owed.
  bool ShouldPaint();

 private:
  CDraftView* view_;
  int mode_ = kModeImmediate;
  bool owed_ = false;
};
