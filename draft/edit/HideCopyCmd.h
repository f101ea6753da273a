// Copies the selected entities with their hidden lines removed. After the
// selection the user gives the insertion base point; the drawing service
// then hides over the selection, and each click inside a region of it gives
// the copies with what that region hides cut away (the copies are shown
// and selected while the command holds them). The right button hands the
// copies to the drawing. With "SYSVAR_MISC"/"SET_MISC_NORMALHIDE" other
// than 1 the command ends after the base point.
#pragma once

#include "draft/framework/SelectCmdBase.h"
#include "draft/host/EntityList.h"

class CHideCopyCmd : public CSelectCmdBase {
 public:
  CHideCopyCmd(CDraftView* view, int id);
  ~CHideCopyCmd() override;

  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  int OnProcessClick(CDraftView* view) override;
  int OnProcessRButton(CDraftView* view) override;

  int IsPlacing() const { return placing_; }
  const CEntityList& GetCopies() const { return copies_; }

 private:
  // Erases and frees the copies still held and lets go of the selection.
  void DropCopies(CDraftView* view);

  int placing_ = 0;
  CEntityList copies_;  // the command's until handed to the drawing
  CEntityList sources_;  // the entities the regions' sides lie on (the drawing's)
  CDraftView* keptView_;
};
