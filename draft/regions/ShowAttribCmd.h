// Shows the attribute dialog for the drawing group of a picked entity, or,
// on TAB, for the drawing itself.
#pragma once

#include "draft/framework/CmdBase.h"

class CDrawingGroup;

class CShowAttribCmd : public CCmdBase {
 public:
  explicit CShowAttribCmd(int id);

  int Begin(CDraftView* view) override;
  int OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int End(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;

 private:
  // The dialog for `group` (null: the drawing's attributes).
  static void ShowDialog(CDraftView* view, CDrawingGroup* group);
};
