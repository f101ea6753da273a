// The process-table command: the process-table dialog defines a new
// process card on the command's structure, and the generated table (kind 5)
// is then placed as the table placement places a table, docked to a picked
// entity.
#pragma once

#include "draft/tables/PlaceTableCmd.h"

class CProcessTableCmd : public CPlaceTableCmd {
 public:
  // The structure (not freed by the command) is what the dialog edits.
  CProcessTableCmd(CFieldArray* fields, int id);

  // The dialog (a new table); 0 when it is cancelled or generates nothing.
  int Begin(CDraftView* view) override;
};
