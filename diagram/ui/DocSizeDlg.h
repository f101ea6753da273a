// The canvas-size dialog (template 28007): the canvas's pages across and
// down, each within the caller's limits.
#pragma once

#include "platform/ui/Dialog.h"

class CDataExchange;

class CDocSizeDlg : public CDialog {
 public:
  enum { IDD = 28007 };
  enum ControlId { kAcrossEdit = 28090, kDownEdit = 28095 };

  explicit CDocSizeDlg(CWnd* parent = nullptr);
  ~CDocSizeDlg() override;

  BYTE m_nPagesAcross = 1;
  BYTE m_nPagesDown = 1;
  BYTE m_nMaxAcross = 10;
  BYTE m_nMaxDown = 10;
  BYTE m_nMinAcross = 1;
  BYTE m_nMinDown = 1;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
