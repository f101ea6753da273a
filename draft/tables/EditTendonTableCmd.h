// Editing a table of the drawing in the editor that made it: a picked table
// reopens by its kind in the bill-of-materials dialog (general tables and
// bills of materials), the table-content dialog (rebar schedules) or the
// process-table dialog (process cards), each in its editing mode; the
// dialogs change the table themselves. Tendon coordinate tables and tendon
// graphs are edited by the tendon graph command, which is not built: picking
// one throws CNotSupportedException before anything changes.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/tables/FieldRecord.h"

class CEditTendonTableCmd : public CCmdBase {
 public:
  // The structure (not freed by the command) is the dialogs' field array.
  CEditTendonTableCmd(CFieldArray* fields, int id);

  // Picking on; phase 0.
  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  // Picking off; the command ends (1).
  int OnRButton(CDraftView* view) override;
  int End(CDraftView* view) override;

 private:
  CFieldArray* fields_;
};
