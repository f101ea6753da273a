// The command that puts a finished table entity into the drawing. The user
// docks the table's start point to lines (a vertical line gives x, a
// horizontal one y; a click on nothing takes the cursor for both), then
// gives a wrap height at which the table is cut into a further column, and
// so on per column until every row is placed. Each placed column shows its
// outline as temporary lines until the table is complete. The finished
// table joins the drawing as one undo step; a placed parts list (kind 1)
// replaces the drawing's previous one in that same step. The right button
// at the wrap prompt places the rest without limit; any other right button
// or an End abandons the placement (the table stays with the command and is
// deleted with it).
//
// The table comes from the table-content dialog (mode 2, a new rebar
// schedule), from the bill-of-materials dialog (mode 1) or from the
// constructor (any other mode).
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"
#include "draft/tables/FieldRecord.h"

class CTableEntity;

class CPlaceTableCmd : public CCmdBase {
 public:
  // The lists, when given, are taken over (their pointers appended to the
  // command's lists of the same role, the caller's lists emptied): entities
  // the caller already took out of the drawing (old) and put in (new), so
  // that they and the placed table form one undo step. The table is owned
  // by the command until it joins the drawing.
  CPlaceTableCmd(CFieldArray* fields, int id, int mode, CTableEntity* table = nullptr,
                 CEntityList* oldEntities = nullptr, CEntityList* newEntities = nullptr);
  ~CPlaceTableCmd() override;

  int Begin(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  int End(CDraftView* view) override;

  // Adds the table to the drawing with its undo record (nothing without a
  // view or a table; without a placement group the outlines go and the
  // table stays with the command).
  void AddTableToDrawing(CDraftView* view);

  // ---- State, for a derived command and for looking at a placement.
  CTableEntity* GetTable() const { return table_; }
  CEntity* GetPreviousTable() const { return previousTable_; }
  int GetPhase() const { return phase_; }
  double GetStartX() const { return startX_; }
  double GetStartY() const { return startY_; }
  double GetWrapY() const { return wrapY_; }
  bool IsXDocked() const { return xDocked_ != 0; }
  bool IsYDocked() const { return yDocked_ != 0; }
  int GetRowsRemaining() const { return rowsRemaining_; }
  const CString& GetPromptOverride() const { return promptOverride_; }

 protected:
  // Takes `table` as the table to place (a table held before is deleted).
  void TakeTable(CTableEntity* table);
  CFieldArray* GetFieldArray() const { return fields_; }
  // Arms the placement for the table now held (Begin's steps after the
  // table is known); 0 when there is no table.
  int ArmPlacement(CDraftView* view);
  // The command's lists of entities leaving and joining the drawing, for a
  // derived command's dialog that changes the drawing with them.
  CEntityList& OldEntities() { return oldEntities_; }
  CEntityList& NewEntities() { return newEntities_; }

 private:
  double TableWidth() const;
  // Docks to the lines picked at the cursor (phase 0).
  void DockAtCursor(CDraftView* view);
  // The start point, and the wrap y, in the placement group's coordinates.
  double ToGroupX(double x) const;
  double ToGroupY(double y) const;
  // Draws the outline of the column just placed as temporary lines.
  void OutlinePlacedColumn(CDraftView* view);
  void AddTempLine(CDraftView* view, double x1, double y1, double x2, double y2);
  void EraseTempEntities(CDraftView* view);
  // OnRButton's and End's common steps around the root's own step.
  int Finish(CDraftView* view, bool ending);

  CEntityList oldEntities_;
  CEntityList newEntities_;
  int firstRowOfColumn_ = 0;
  int rowsRemaining_ = 0;
  double wrapY_ = 0.0;
  double startX_ = 0.0;
  double startY_ = 0.0;
  int wrapSet_ = 0;
  int xDocked_ = 0;
  int yDocked_ = 0;
  int phase_ = 0;
  CFieldArray* fields_;
  CTableEntity* table_;
  CEntity* previousTable_ = nullptr;
  int mode_;
};
