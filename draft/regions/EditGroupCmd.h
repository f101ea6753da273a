// Moves the base point of a drawing group: the group of a preselected or
// picked entity (its members are highlighted), or after TAB the current
// group, gets the entered point as its base point. The members stay where
// they are shown; the change is not an undo step.
#pragma once

#include "draft/framework/CmdBase.h"

class CDrawingGroup;

class CEditGroupCmd : public CCmdBase {
 public:
  explicit CEditGroupCmd(int id);

  int Begin(CDraftView* view) override;
  void OnTabKey(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

  CDrawingGroup* GetGroup() const { return editGroup_; }

 private:
  // Highlights the group's members and asks for the base point.
  void ChooseGroup(CDraftView* view, CDrawingGroup* group, const char* prompt);

  CDrawingGroup* editGroup_ = nullptr;
};
