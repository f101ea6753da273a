#include "draft/regions/InsertGroupAltCmd.h"

#include "draft/host/DraftView.h"

namespace {
CString FirstName(const CStringArray* names) {
  return names && names->GetSize() > 0 ? names->GetAt(0) : CString();
}
}  // namespace

CInsertGroupAltCmd::CInsertGroupAltCmd(CDraftView* view, int id, int hideOption, const CStringArray* names,
                                       DWORD loadOption, DWORD intoGroupWord, CString targetName, int mode,
                                       const InsertGroupAttrib* attrib)
    : CInsertGroupCmd(view, id, hideOption, FirstName(names), loadOption, intoGroupWord, targetName, mode, attrib) {
  if (names)
    for (int i = 0; i < names->GetSize(); ++i) names_.Add(names->GetAt(i));
}

bool CInsertGroupAltCmd::AfterPlacement(CDraftView* view) {
  ++index_;
  if (index_ >= names_.GetSize()) {
    if (CInsertGroupCmd::AfterPlacement(view)) return true;  // continuous off: the list is done
    index_ = 0;
  }
  // The group placed last gives way to the next one.
  DestroyDragged(view);
  view->ClearSelection(nullptr);
  groupName_ = names_.GetAt(index_);
  const int loaded = LoadGroup(view);
  return !loaded || !PrepareLoaded(view, loaded);
}
