// Inserts a list of stored groups one after another: after each placement
// the next name's group is loaded; at the end of the list the command
// starts again from the first name with continuous insertion on, and is
// done otherwise.
#pragma once

#include "draft/regions/InsertGroupCmd.h"
#include "platform/core/StringArray.h"

class CInsertGroupAltCmd : public CInsertGroupCmd {
 public:
  CInsertGroupAltCmd(CDraftView* view, int id, int hideOption, const CStringArray* names, DWORD loadOption,
                     DWORD intoGroupWord, CString targetName, int mode, const InsertGroupAttrib* attrib);

  int GetIndex() const { return index_; }

 protected:
  bool AfterPlacement(CDraftView* view) override;

 private:
  CStringArray names_;
  int index_ = 0;
};
