// The grid dialog (template 28009, "Grid Size"): one of seven square
// presets or a custom grid size and dotted-line interval.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ui/Dialog.h"

class CDataExchange;

class CGridSizeDlg : public CDialog {
 public:
  enum { IDD = 28009 };
  enum ControlId {
    kFirstChoiceRadio = 28097,
    kGridWidthEdit = 28086,
    kIntervalWidthEdit = 28087,
    kGridHeightEdit = 28088,
    kIntervalHeightEdit = 28089,
    kFirstExplanation = 28160,
    kSecondExplanation = 28161,
  };
  // The presets, choices 0..6; choice 7 is custom. A preset's line interval
  // is 100 / size, so that a dotted line falls every 100 diagram units.
  static const int kPresets[7];
  static constexpr int kCustomChoice = 7;

  // The texts of the two explanatory statics: string ids a host may set
  // (0 keeps the template's text).
  static UINT c_uFirstExplanationID;
  static UINT c_uSecondExplanationID;

  // Opens on the preset that matches `gridSize` and `interval`, else on
  // custom.
  CGridSizeDlg(CSize gridSize, CSize interval, CWnd* parent = nullptr);
  ~CGridSizeDlg() override;

  // The size and interval chosen: a preset's when one is chosen.
  CSize GetGridSize();
  CSize GetGridLineInterval();

  CSize m_sizeGridLineInterval;
  CSize m_sizeGridSize;
  int m_nChoice = 3;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

 private:
  void TakePreset();
};
