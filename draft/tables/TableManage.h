// The drawing-register list view: a list view with the nine columns of a
// title block (drawing number, name, designer, checker, attribute, scale,
// material, sheet size, date), one row per drawing sheet. Its owner fills
// the rows. The host creates it through its run-time class name
// "CTableManage".
#pragma once

#include "platform/core/String.h"
#include "platform/ui/ListView.h"

class CTableManage : public CListView {
  DECLARE_DYNCREATE(CTableManage)

 public:
  struct Column {
    const char* title;
    int width;
  };
  static constexpr int kColumnCount = 9;
  static const Column kColumns[kColumnCount];

  ~CTableManage() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // The base's first update, then the nine columns in order.
  void OnInitialUpdate() override;
  // Every object counts as selected in the register.
  BOOL IsSelected(const CObject* object) const override;

 protected:
  CTableManage() = default;
  // Writes the fixed text "1222222222222222222" at (20, 20).
  void OnDraw(CDC* dc) override;

 private:
  CStringA text_;
};
