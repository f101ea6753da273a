#include "diagram/model/objects/ShapeTools.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiConstants.h"

ShapeTools::ShapeTools(CDC* dc, const ShapeStyle& style) : m_dc(dc) {
  const BOOL brushMade = style.hatchOn ? m_brush.CreateHatchBrush(static_cast<int>(style.hatchStyle), style.hatchColor)
                                       : m_brush.CreateSolidBrush(style.fillColor);
  if (!brushMade || !m_pen.CreatePenIndirect(&style.pen)) return;
  m_ready = true;
  m_oldBkColor = m_dc->SetBkColor(style.fillColor);
  m_oldBkMode = m_dc->SetBkMode(style.fillOn ? OPAQUE : TRANSPARENT);
  m_oldBrush = (style.fillOn || style.hatchOn) ? m_dc->SelectObject(static_cast<CGdiObject*>(&m_brush))
                                              : m_dc->SelectStockObject(NULL_BRUSH);
  m_oldPen = style.penOn ? m_dc->SelectObject(static_cast<CGdiObject*>(&m_pen)) : m_dc->SelectStockObject(NULL_PEN);
}

ShapeTools::~ShapeTools() {
  if (!m_ready) return;
  m_dc->SetBkMode(m_oldBkMode);
  m_dc->SetBkColor(m_oldBkColor);
  if (m_oldBrush) m_dc->SelectObject(m_oldBrush);
  if (m_oldPen) m_dc->SelectObject(m_oldPen);
}
