// The table font dialog (template 147, "创建表格"): the header's and the
// body's fonts, row heights, character heights and spacings, the header's
// arrangement and the font type. Its font boxes list the fonts of the
// font type in force: the host's vector fonts (Chinese and Western), the
// TrueType faces, or the SHX fonts and big fonts of the system "Font"
// folder.
#pragma once

#include "draft/tables/BillFontDef.h"
#include "platform/core/StringArray.h"
#include "platform/ui/Dialog.h"

class CBillFontDlg : public CDialog {
 public:
  enum { IDD = 147 };
  enum ControlId {
    kHeaderPresent = 1041,
    kHeaderChineseCombo = 1274,
    kHeaderChineseLabel = 1044,
    kHeaderWesternCombo = 332,
    kHeaderWesternLabel = 1046,
    kHeaderHeight = 389,
    kHeaderCharHeight = 1279,
    kHeaderSpacing = 1100,
    kArrangement = 1042,
    kGridLines = 556,
    kBodyChineseCombo = 1194,
    kBodyChineseLabel = 1045,
    kBodyWesternCombo = 365,
    kBodyWesternLabel = 1047,
    kBodyHeight = 391,
    kBodyCharHeight = 1277,
    kBodySpacing = 1114,
    kFontType = 1043,
  };

  // With `save` set the definition is read from the settings now and
  // written back on OK.
  CBillFontDlg(int save, CWnd* parent);

  CBillFontDef& GetFontDef() { return def_; }
  const CStringArray& GetChineseFonts() const { return chineseFonts_; }
  const CStringArray& GetWesternFonts() const { return westernFonts_; }
  const CStringArray& GetTrueTypeFonts() const { return trueTypeFonts_; }
  const CStringArray& GetShxFonts() const { return shxFonts_; }
  const CStringArray& GetShxBigFonts() const { return shxBigFonts_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnFontTypeChanged();
  DECLARE_MESSAGE_MAP()

 private:
  void FillFontLists();
  // Empties and fills the four font boxes for the font type in force.
  void RefillFontCombos();
  // Takes the chosen fonts of the four boxes into the definition, by the
  // font type in force.
  void StoreFontSelection();
  // A positive number from an edit or combo, or the message and the focus.
  bool ReadHeight(int id, double& value, const char* message);

  CBillFontDef def_;
  int save_;
  CStringArray chineseFonts_;
  CStringArray westernFonts_;
  CStringArray trueTypeFonts_;
  CStringArray shxFonts_;
  CStringArray shxBigFonts_;
};
