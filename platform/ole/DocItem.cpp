#include "platform/ole/DocItem.h"

#include "platform/ole/OleDocument.h"

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)

CDocItem::~CDocItem() {
  if (m_pDocument) m_pDocument->RemoveItem(this);
}
