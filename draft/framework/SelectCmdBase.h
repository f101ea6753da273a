// The base of every command that first lets the user choose entities and
// then works on them. It runs in two phases:
// - selecting: a click picks the entities under the cursor; a click on
//   nothing is the first corner of a box, and the next click spans it
//   (window or crossing by the corners' order, as the view decides). The
//   right button ends the selection (or only cancels a box corner).
// - processing: the subclass works on the selection (ProcessSelection,
//   OnProcessClick, DrawProcessPreview, OnProcessRButton).
// A selection that exists when the command begins is processed at once
// unless the command selects anew; in deselect mode the command needs a
// selection and its picks take entities out of it. The type mask and the
// filter go to the view's pick services unchanged; F opens the selection
// filter dialog when the command enables it.
#pragma once

#include "draft/framework/CmdBase.h"

class CEntityList;

class CSelectCmdBase : public CCmdBase {
 public:
  // filter -1: the view's selection filter is not applied to the picks.
  CSelectCmdBase(int id, CDraftView* view, int selectAnew, int deselectMode, int typeMask, int filter);

  // ---- Overrides of the root's operations.
  void OnSelectionChanged(CDraftView* view, int flag) override;
  CString GetPrompt() override;
  int MarksPoints() override;
  int Begin(CDraftView* view) override;
  int OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) override;
  int OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  // ---- New operations, in slot order.
  // The subclass's work on the selection; false ends the command.
  virtual int ProcessSelection(CDraftView* view);
  virtual int DrawProcessPreview(CDraftView* view);
  // The rubber box from the first corner to the cursor.
  virtual int DrawSelectPreview(CDraftView* view);
  // A click while processing; true returns the command to selecting.
  virtual int OnProcessClick(CDraftView* view);
  // A click while selecting, once the point count is reached.
  virtual void PickOrBox(CDraftView* view);
  // The right button while processing; true ends the command.
  virtual int OnProcessRButton(CDraftView* view);
  virtual int OnProcessNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y);

  // 1 lets F open the selection filter dialog.
  void SetFilterEnabled(BYTE enabled) { filterEnabled_ = enabled; }

  enum Phase { kSelecting = 0, kProcessing = 1 };
  int GetPhase() const { return phase_; }

 protected:
  // Drops the points taken and goes back to the first step.
  void ClearPoints();
  // Empties the view's selection filter (no group name, not dimensions only).
  static void ClearSelectionFilter(CDraftView* view);
  // Adds to `result` the picked entities, in order, and then, for the
  // groups among them that are picked whole, every other entity of those
  // groups found in `pool`, in its order. No entity is added twice.
  static void GatherWholeGroups(const CEntityList& picked, const CEntityList& pool, CEntityList& result);

  // Members, in declaration order.
  int phase_ = kSelecting;
  int pickedThisPass_ = 0;
  int selectAnew_;
  int deselectMode_;
  int typeMask_;
  int filter_;
  BYTE filterEnabled_ = 0;
};
