#include "draft/host/ViewDisplay.h"

#include "draft/host/DraftView.h"

BOOL CViewDisplay::SetDisplayMode(int mode) {
  if (mode != kModeImmediate && mode != kModeHeld && mode != kModeRegenerate) return FALSE;
  mode_ = mode;
  if (mode_ != kModeHeld && owed_) {
    owed_ = false;
    view_->RefreshView();
  }
  return TRUE;
}

bool CViewDisplay::ShouldPaint() {
  if (mode_ != kModeHeld) return true;
  owed_ = true;
  return false;
}

double CViewDisplay::GetTransformFactor() const { return view_->GetZoom(); }
