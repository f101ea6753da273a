// Nobrack's explode dialog: which kinds of compound entity an explosion
// breaks, as the explode type bits of Entity.h, one check box each. The
// boxes for nested blocks and for compounds kept whole are offered only when
// the selection holds entities with those options. Its template lives in
// Nobrack's module; the caller makes that module current.
#pragma once

#include "draft/host/BaseDialog.h"

// The value the dialog reads and, on OK, writes.
struct ExplodeDlgRecord {
  int type = 0x50;
};

class CExplodeDlg : public CBaseDialog {
 public:
  enum { IDD = 4210 };
  enum ControlId { kBlocksCheck = 4211, kNestedCheck = 4212, kKeptWholeCheck = 4213, kCurvesCheck = 4214 };

  CExplodeDlg(ExplodeDlgRecord* record, BOOL hasOptions1, BOOL hasOptions2, CWnd* parent);

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  ExplodeDlgRecord* record_;
  BOOL hasOptions1_;
  BOOL hasOptions2_;
};

// The dialog (not yet shown) for the caller, who deletes it. On OK the
// chosen bits replace the four bits of the record's type; other bits stay.
CExplodeDlg* ConstructExplodeDlg(ExplodeDlgRecord* record, BOOL hasOptions1, BOOL hasOptions2, CWnd* parent);
