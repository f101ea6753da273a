// A dialog-like owner window for the parts-list grid in tests: it keeps the
// grid's structure, takes typed text, and has the edit (314) and combo box
// (1313) the grid writes typed text into.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/PartsListOwner.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

namespace gridtest {

class COwnerWnd : public CWnd, public CPartsListOwner {
 public:
  CFieldArray structure;
  CStringA editText;
  int hideFlag = 0;
  CStringA hiddenName;
  CEdit edit;
  CComboBox combo;
  CPartsListCtrl grid;

  BOOL CreateTop() {
    if (!CreateEx(0, u"AfxWnd", u"owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0)) return FALSE;
    return edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), this, 314) &&
           combo.Create(WS_CHILD | CBS_DROPDOWN, CRect(0, 0, 100, 100), this, 1313) &&
           grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(10, 30, 410, 250), this, 339);
  }

  CFieldArray& GetListStructure() override { return structure; }
  void SetListEditText(const CStringA& text) override { editText = text; }
  int GetHideTypedTextFlag() const override { return hideFlag; }
  CStringA GetHiddenFieldName() const override { return hiddenName; }
};

// Fills the owner's structure and the grid with `rows` (each a row text).
inline void Load(COwnerWnd& w, const std::vector<const char*>& names, const std::vector<const char*>& rows) {
  w.structure.RemoveAll();
  for (const char* n : names) w.structure.Add(CFieldRecord(n, 0, 20, 2));
  w.grid.SetColumns(w.structure);
  CStringArray texts;
  for (const char* r : rows) texts.Add(r);
  w.grid.FillRows(texts);
}

inline std::vector<CStringA> Column(const CPartsListCtrl& grid, int column) {
  std::vector<CStringA> v;
  for (int r = 0; r < grid.GetItemCount(); ++r) v.push_back(grid.GetCellText(r, column));
  return v;
}

inline std::vector<CStringA> RowTexts(const CPartsListCtrl& grid) {
  CStringArray texts;
  grid.GetRowTexts(grid.GetItemCount(), texts);
  std::vector<CStringA> v;
  for (INT_PTR i = 0; i < texts.GetSize(); ++i) v.push_back(texts[i]);
  return v;
}

class GridTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override { ASSERT_TRUE(owner.CreateTop()); }
  void TearDown() override {
    owner.DestroyWindow();
    while (!undo.IsEmpty()) delete undo.RemoveHead();
  }

  COwnerWnd owner;
  CPartsListUndo undo;
};

}  // namespace gridtest
