// What a parts-list grid asks of the dialog it sits in: the structure the
// dialog keeps for it, where typed text goes, and which column hides typed
// text. The dialog derives from this class; the grid finds it as its
// parent window.
#pragma once

#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"

class CPartsListOwner {
 public:
  virtual ~CPartsListOwner() = default;
  // The structure the owner keeps for the grid (its columns in order).
  virtual CFieldArray& GetListStructure() = 0;
  // Takes the text typed into the current cell (edit modes 1, 2 and 3).
  virtual void SetListEditText(const CStringA& text) = 0;
  // The owner's flag that, in edit mode 1, hides typed text in the column
  // named by GetHiddenFieldName.
  virtual int GetHideTypedTextFlag() const { return 0; }
  // The field name, as the host's name provider gives it to the owner, of
  // the column whose typed text is not shown; empty for none.
  virtual CStringA GetHiddenFieldName() const { return CStringA(); }
};
