#include "diagram/model/objects/DrawOleObj.h"

#include "platform/core/Exceptions.h"

IMPLEMENT_DYNAMIC(CDrawOleObj, CDrawObj)

namespace {

[[noreturn]] void OleNotBuilt() { AfxThrowNotSupportedException(u"OLE objects in diagrams are not built."); }

}  // namespace

CDrawOleObj::CDrawOleObj(const CPoint& point) : CDrawObj(CRect(point, point)), m_extent(0, 0) {
  m_bPen = FALSE;
  m_bBrush = FALSE;
}

void CDrawOleObj::Serialize(CArchive&) { OleNotBuilt(); }
void CDrawOleObj::Draw(CDC*) { OleNotBuilt(); }
void CDrawOleObj::MoveTo(const CRect&, CDrawView*) { OleNotBuilt(); }
void CDrawOleObj::OnOpen(CDrawView*) { OleNotBuilt(); }
void CDrawOleObj::OnEditProperties(CWnd*) { OleNotBuilt(); }
CDrawObj* CDrawOleObj::Clone() { OleNotBuilt(); }
int CDrawOleObj::Delete() { OleNotBuilt(); }
