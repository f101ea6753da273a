// Deletes entities: what is selected when the command starts (at once, one
// undo step), then each entity picked or every entity inside a window. A
// member of a compound that is deleted whole (kept whole, a compound curve
// or a registered object) stands for its compound. In a view with a
// notification window, registered objects are handed to that window
// (message 1910) instead of an undo record; every other entity is recorded
// as usual. With the registered-only flag only registered objects go.
#pragma once

#include "draft/framework/CmdBase.h"

class CDeleteCmd : public CCmdBase {
 public:
  explicit CDeleteCmd(int id);

  // Only entities for which IsRegisteredObject holds are deleted from now on.
  void SetRegisteredOnly();

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  // The root's right button; a window's first corner goes with the points,
  // so that the next click picks again.
  int OnRButton(CDraftView* view) override;

 private:
  // Keeps only the registered objects of `list` when the flag is set.
  void FilterRegistered(CEntityList& list) const;
  // Takes `list` out of the drawing: registered objects go to the view's
  // notification window when it has one, the rest into one undo record.
  static void DeleteList(CDraftView* view, const CEntityList& list);

  int registeredOnly_ = 0;
};
