// The ink window of the sign pad: a static control of the pad dialog,
// subclassed, that collects the strokes written with the left button held
// and draws them. A stroke is a list of points in client pixels; pressing
// or releasing the left button ends the current stroke, so the next move
// with the button down starts a new one.
#pragma once

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/ui/Wnd.h"

class CSignPadWnd : public CWnd {
 public:
  using Stroke = std::vector<CPoint>;

  CSignPadWnd() = default;
  ~CSignPadWnd() override = default;

  const std::vector<Stroke>& GetStrokes() const { return strokes_; }
  std::vector<Stroke>& GetStrokes() { return strokes_; }
  // Frees every stroke and repaints the window ("重写").
  void Clear();

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnPaint();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  std::vector<Stroke> strokes_;
  // The stroke being written (an index into strokes_), -1 between strokes.
  int current_ = -1;
};
