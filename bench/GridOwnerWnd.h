// A window that owns a parts-list grid, as a table dialog does, for the
// benchmarks that fill and read grids.
#pragma once

#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/PartsListOwner.h"
#include "platform/ui/WindowApi.h"

class COwnerWnd : public CWnd, public CPartsListOwner {
 public:
  CFieldArray structure;
  CPartsListCtrl grid;

  bool Create() {
    return CreateEx(0, u"AfxWnd", u"bench", WS_POPUP, CRect(0, 0, 600, 400), nullptr, 0) &&
           grid.Create(WS_CHILD | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 500, 300), this, 339);
  }
  CFieldArray& GetListStructure() override { return structure; }
  void SetListEditText(const CStringA&) override {}
};
