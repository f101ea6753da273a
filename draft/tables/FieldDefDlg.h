// The column definition dialog (template 293, "结构定义"): a column's name,
// type, alignment and width. The name box lists the system's column names
// ("Table\SteelBCol.Tab") and proposes a type for the name chosen; the
// width box lists the system's widths ("Table\FieldWidth.Tab").
#pragma once

#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CFieldDefDlg : public CDialog {
 public:
  enum { IDD = 293 };
  enum ControlId { kNameCombo = 295, kTypeCombo = 359, kAlignmentCombo = 364, kWidthCombo = 607 };

  CFieldDefDlg(const char* caption, CWnd* parent);

  // The values shown at the start; after OK, the values taken.
  CStringA m_name;
  int m_typeIndex = 0;
  int m_alignmentIndex = 2;
  double m_width = 20.0;

  // Shows `field` at the start.
  void SetField(const CFieldRecord& field);
  // The column the dialog defines (a type index beyond the codes is 0).
  CFieldRecord GetField() const;

  // The type a column name suggests: "编号" or a name holding "序号" or
  // "数量" integer; "单位重", "总重", "总长", "单件" or "总计" double; "日期"
  // date; any other character.
  static int ProposeType(const CStringA& name);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnNameChosen();
  DECLARE_MESSAGE_MAP()

 private:
  CStringA caption_;
};
