// Quorvel's table-in-region dialog (template kRegionTableTemplate,
// "区域表格"): a text and ten numeric layout words, shown by the commands
// that build a table in picked regions and by the text fill. The words, in
// order (kWord... below):
//   0 text height, tenths of a drawing unit (1 .. 100000; default 50)
//   1 width factor, percent (1 .. 1000; default 100)
//   2 cell alignment: 0 the text fills the cell, 1 left, 2 centred, 3 right
//     (default 2)
//   3 hatch angle, degrees (-360 .. 360; default 45)
//   4 hatch spacing, tenths of a drawing unit (1 .. 100000; default 10)
//   5 hatch offset of the first line from the origin, tenths (-100000 ..
//     100000; default 0)
//   6 layer of the new entity (-1 the view's current layer; up to 255;
//     default -1)
//   7 cross hatch: 1 adds a second set of lines at 90 degrees (0 or 1;
//     default 0)
//   8 character spacing, tenths of a drawing unit (0 .. 100000; default 0)
//   9 Chinese font index, 1-based (1 .. 255; default 1)
// The text is the table's cell texts in click order, separated by ';'.
// The dialog starts from the values last accepted (settings section
// "RegionTable", keys "Text" and "Word0" .. "Word9") and keeps them on OK; a
// value outside its range is refused with the framework's range message and
// the dialog stays open.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"

inline constexpr UINT kRegionTableTemplate = 4720;
inline constexpr int kRegionTableTextEdit = 4721;
// The edit of word i is kRegionTableWordEdit + i.
inline constexpr int kRegionTableWordEdit = 4722;
inline constexpr int kRegionTableWordCount = 10;

enum RegionTableWord {
  kWordTextHeight = 0,
  kWordWidthFactor = 1,
  kWordAlignment = 2,
  kWordHatchAngle = 3,
  kWordHatchSpacing = 4,
  kWordHatchOffset = 5,
  kWordLayer = 6,
  kWordCrossHatch = 7,
  kWordSpacing = 8,
  kWordFontIndex = 9,
};

class CRegionTableDlg : public CBaseDialog {
 public:
  explicit CRegionTableDlg(CWnd* parent);

  // What the dialog holds (after OK: what the user accepted).
  CString m_text;
  int m_words[kRegionTableWordCount];

  // The default of each word, and its range.
  static int DefaultWord(int i);
  static int MinWord(int i);
  static int MaxWord(int i);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
};

// Makes the dialog (not yet shown) for the caller, who frees it with
// DestroyRegionTableDlg; its template joins Quorvel's resources.
CRegionTableDlg* ConstructRegionTableDlg(CWnd* mainWindow);
void DestroyRegionTableDlg(CRegionTableDlg* dialog);
