// Signing a cell: a click inside a closed rectangle (or circle) of the
// drawing opens the sign pad; the signature written there becomes a line
// set scaled into the cell, 95 % of its size with the margin shared out.
#pragma once

#include "draft/tables/TableCellCmd.h"

class CSignCellCmd : public CTableCellCmd {
 public:
  CSignCellCmd(int id, CDraftView* view);

  void Execute(CDraftView* view) override;
};
