// The equation dialog (template 439, "参数方程曲线"): one parametric
// equation (x(t) and y(t), or ρ(t)), its parameter, range, step and angle
// unit, with a preview of the curve on control 677, the line type and
// whether axes are drawn; and the list of named equations kept in the
// table "Table\VoskCurveEquation.Tab", which is rewritten whenever the
// dialog closes. After OK the record, its evaluator form and its extents
// are ready for the caller (see EquationText.h).
#pragma once

#include "draft/construct/EquationText.h"
#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CEquationCurveEntity;

class CCurveEquationDlg : public CBaseDialog {
 public:
  enum { IDD = 439 };
  enum ControlId {
    kCartesian = 666, kPolar = 667, kName = 668, kXEdit = 669, kYEdit = 670, kYLabel = 671, kParameter = 665,
    kStart = 663, kEnd = 664, kStep = 684, kRadians = 683, kDegrees = 682, kAxes = 414, kLineType = 672,
    kPreviewArea = 677, kStore = 681, kTake = 680, kRemove = 679, kPreview = 678,
  };

  // `edited`: the equation curve whose equation the dialog opens with, or null.
  CCurveEquationDlg(CEquationCurveEntity* edited, CWnd* parent);

  const CStringArrayA& GetRecord() const { return record_; }
  const char* GetXBuffer() const { return xBuffer_; }
  const char* GetYBuffer() const { return yBuffer_; }
  const EquationExtents& GetExtents() const { return extents_; }
  int GetShowAxes() const { return showAxes_; }
  const CStringA& GetLineTypeName() const { return lineType_; }
  // The table's lines: comments, and records in list order.
  const CStringArrayA& GetTableRecords() const { return records_; }

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  // Reads the controls into a record (with the table prefixes or without);
  // false, after the message box, when a check fails.
  bool ReadControls(bool withPrefixes, CStringArrayA& out);

 protected:
  afx_msg void OnPaint();
  afx_msg void OnStore();
  afx_msg void OnTake();
  afx_msg void OnRemove();
  afx_msg void OnPreview();
  afx_msg void OnRadiansChosen();
  afx_msg void OnDegreesChosen();
  afx_msg void OnCartesianChosen();
  afx_msg void OnPolarChosen();
  afx_msg void OnXChange();
  afx_msg void OnYChange();
  afx_msg void OnRangeUpdate();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowRecord(const CStringArrayA& fields);
  void FillCombos();
  void SetPolar(bool polar);
  // The current record into the evaluator form; `quiet` shows no message.
  bool Convert(bool quiet);
  void PaintPreview();
  void WriteTable();

  // Members, in order.
  CStringArrayA record_;
  CStringArrayA comments_;
  CStringArrayA records_;
  char xBuffer_[kEquationBufferSize] = {};
  char yBuffer_[kEquationBufferSize] = {};
  int xChanged_ = 0;
  int yChanged_ = 0;
  int rangeChanged_ = 0;
  int unitChanged_ = 1;
  CEquationCurveEntity* edited_;
  EquationExtents extents_;
  int unit_ = 1;    // 0 radians, 1 degrees
  int system_ = 0;  // 0 Cartesian, 1 polar
  int showAxes_ = 0;
  CStringA lineType_ = "粗实线";
};

// The line-kind code of a line-type name (1 粗实线, 2 细实线, 5 虚线, 6 点划线,
// 8 双点划线); 0 for another name.
int LineKindOfName(const CStringA& name);
// The name of a line-kind code; "粗实线" for another code.
CStringA LineTypeNameOf(int code);
