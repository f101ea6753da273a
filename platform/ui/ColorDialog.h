// The colour dialog. The user (the modal driver) types the red, green and
// blue parts (0 to 255) into the edits COLOR_RED, COLOR_GREEN and
// COLOR_BLUE, or a handler calls SetCurrentColor, and presses OK; GetColor
// gives the colour. With CC_RGBINIT the dialog starts at the given colour.
#pragma once

#include "platform/ui/CommDlg.h"
#include "platform/ui/CommonDialog.h"

struct CHOOSECOLOR {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;
  DWORD Flags;
  LPARAM lCustData;
};
typedef CHOOSECOLOR CHOOSECOLORW;

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)

 public:
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

  CHOOSECOLOR m_cc{};

  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF color);
  // The sixteen custom colours the dialog keeps for the process.
  static COLORREF* GetSavedCustomColors();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};
