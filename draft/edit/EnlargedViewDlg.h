// The scale and the label of an enlarged detail view (template 294,
// "局部放大图"): the scale text (combo 352, "2:1" and the like, at most 10
// characters) and the label (combo 351, at most 10 characters), each chosen
// from the list or typed. On OK the scale is the number before the colon;
// a text without a colon gets ":1". A scale that is not a positive number
// is refused and the dialog stays open.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CEnlargedViewDlg : public CDialog {
 public:
  enum { IDD = 294 };
  enum ControlId { kLabelCombo = 351, kScaleCombo = 352 };
  static constexpr int kMaxChars = 10;

  explicit CEnlargedViewDlg(CWnd* parent = nullptr);

  double m_scale = 2.0;
  CStringA m_scaleText = "2:1";
  CStringA m_label = "A";

  // The number a scale text begins with (the part before a colon).
  static double ScaleOfText(const CStringA& text);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
};
