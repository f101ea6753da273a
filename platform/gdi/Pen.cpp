#include "platform/gdi/Pen.h"

#include "platform/gdi/GdiObjectData.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

CPen* CPen::FromHandle(HPEN h) { return static_cast<CPen*>(CGdiObject::FromHandle(h)); }

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
  const LOGPEN lp{static_cast<UINT>(style), {width, 0}, color};
  return CreatePenIndirect(&lp);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen) {
  if (m_hObject || !logPen) return FALSE;
  const UINT kind = logPen->lopnStyle & PS_STYLE_MASK;
  if (kind > PS_ALTERNATE) return FALSE;
  LOGPEN lp = *logPen;
  lp.lopnWidth.y = 0;
  if (lp.lopnWidth.x < 0) lp.lopnWidth.x = -lp.lopnWidth.x;
  return Attach(platform::GdiHandleTable::Insert(std::make_shared<platform::PenData>(lp)));
}

int CPen::GetLogPen(LOGPEN* logPen) const { return GetObject(sizeof(LOGPEN), logPen); }
