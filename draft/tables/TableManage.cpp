#include "draft/tables/TableManage.h"

#include <cstring>

#include "platform/gdi/DC.h"

IMPLEMENT_DYNCREATE(CTableManage, CListView)

const CTableManage::Column CTableManage::kColumns[kColumnCount] = {
    {"图号", 70}, {"名称", 80}, {"设计者", 50}, {"校核者", 50}, {"属性", 70},
    {"比例", 50}, {"材料", 70}, {"图幅", 50}, {"日期", 80},
};

CTableManage::~CTableManage() = default;

BOOL CTableManage::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CHILD | WS_VISIBLE | WS_BORDER;
  return CListView::PreCreateWindow(cs);
}

void CTableManage::OnInitialUpdate() {
  CListView::OnInitialUpdate();
  CListCtrl& list = GetListCtrl();
  for (int i = 0; i < kColumnCount; ++i) {
    // Each title as a 20-byte field.
    char title[20] = {};
    std::strncpy(title, kColumns[i].title, sizeof(title) - 1);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumns[i].width;
    column.pszText = title;
    column.iSubItem = i;
    list.InsertColumn(i, &column);
  }
}

BOOL CTableManage::IsSelected(const CObject*) const { return TRUE; }

void CTableManage::OnDraw(CDC* dc) {
  if (dc) dc->TextOut(20, 20, "1222222222222222222");
}
