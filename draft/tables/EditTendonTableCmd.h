// Editing a table of the drawing in the editor that made it: a picked table
// reopens by its kind in the bill-of-materials dialog (general tables and
// bills of materials), the table-content dialog (rebar schedules) or the
// process-table dialog (process cards), each in its editing mode; the
// dialogs change the table themselves. A tendon coordinate table (kind 3)
// or a tendon graph is selected and paired with a second pick (a graph for
// the table, a table for the graph); the pair goes to a nested tendon graph
// command (id 403). The right button after one pick hands the one picked
// alone to a nested tendon graph command (id 598).
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

  static constexpr int kPairedGraphId = 403;
  static constexpr int kSingleGraphId = 598;

  int GetPhase() const { return phase_; }
  CEntity* GetPickedTable() const { return pickedTable_; }
  CEntity* GetPickedGraph() const { return pickedGraph_; }

 private:
  // The first pick: a table opens its editor, a coordinate table or a graph
  // waits for its partner.
  void PickFirst(CDraftView* view, CEntity* found);
  // Pushes the tendon graph command for the picks and starts over.
  void EditPicked(CDraftView* view, int id);
  void ForgetPicks(CDraftView* view);

  CFieldArray* fields_;
  CEntity* pickedTable_ = nullptr;
  CEntity* pickedGraph_ = nullptr;
  int phase_ = 0;
};
