// The canvas-size confirmation (template 28008): shows the new pages across
// and down and asks whether all objects may move toward the canvas origin.
#pragma once

#include "platform/ui/Dialog.h"

class CDataExchange;

class CDocSizeConfigmDlg : public CDialog {
 public:
  enum { IDD = 28008 };
  enum ControlId { kAcrossEdit = 28090, kDownEdit = 28095 };

  explicit CDocSizeConfigmDlg(CWnd* parent = nullptr);
  ~CDocSizeConfigmDlg() override;

  BYTE m_nPagesAcross = 0;
  BYTE m_nPagesDown = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
