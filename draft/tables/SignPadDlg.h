// The sign pad (template 883, "利用鼠标或其他设备输入手写签名"): the user
// writes a signature into the ink window (static 1001, a CSignPadWnd);
// "重写" clears it. After OK the caller reads the strokes and fits them into
// a box with FitScale.
#pragma once

#include <vector>

#include "draft/tables/SignPadWnd.h"
#include "platform/ui/Dialog.h"

class CSignPadDlg : public CDialog {
 public:
  enum { IDD = 883 };
  enum ControlId { kPad = 1001, kClear = 1018 };

  explicit CSignPadDlg(CWnd* parent);

  // The pad's strokes while it is open; after OK, those it held then (the
  // pad frees its own when it is destroyed).
  std::vector<CSignPadWnd::Stroke>& GetStrokes() { return pad_.GetSafeHwnd() ? pad_.GetStrokes() : kept_; }
  // Turns the strokes upright (y grows upward) and moves them so that the
  // ink starts at (0, 0), then gives the scale that fits the ink into
  // width × height keeping its aspect ratio. Ink without extent either way
  // (one point, or equal points) has the scale 1.
  void FitScale(double width, double height, double* scale);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnClear();
  DECLARE_MESSAGE_MAP()

 private:
  CSignPadWnd pad_;
  std::vector<CSignPadWnd::Stroke> kept_;
};
