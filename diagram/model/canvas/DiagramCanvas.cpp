// CDiagram: the canvas in pages, the grid, snapping and the page set-up.
#include "diagram/model/canvas/Diagram.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/blocks/BlockFormat.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/undo/URDiagram.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/WinApp.h"

namespace {

CRect Normalized(CRect r) {
  r.NormalizeRect();
  return r;
}

bool Contains(const CRect& outer, const CRect& inner) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

}  // namespace

CRect CDiagram::GetRect() const {
  const int cx = m_size.cx;
  const int cy = m_size.cy;
  CRect r;
  switch (GetCanvasMode()) {
    case 0: r = CRect(-cx / 2, -cy / 2, cx - cx / 2, cy - cy / 2); break;
    case 1: r = CRect(0, 0, cx, cy); break;
    default: return CRect();
  }
  if (IsUpwardPositive()) std::swap(r.top, r.bottom);
  return r;
}

CSize CDiagram::GetPageSize() const { return CDrawDoc::m_bUsePrinterDefaults ? m_pageSize : m_savedPageSize; }

CSize CDiagram::GetGridLineSpacing() const {
  return CSize(m_gridSize.cx * m_gridLineInterval.cx, m_gridSize.cy * m_gridLineInterval.cy);
}

int CDiagram::SetGrid(CSize gridSize, CSize lineInterval) {
  if (!CURGridSizeLineInterval::RecordUndo(this)) return 0;
  const CSize oldSpacing = GetGridLineSpacing();
  m_gridSize = gridSize;
  m_gridLineInterval = lineInterval;
  if (GetGridLineSpacing() != oldSpacing) UpdateDiagramViews(nullptr, CDrawHint::gridChanged, nullptr);
  return 1;
}

int CDiagram::SnapCoordinate(int value, int step) {
  if (step <= 0) return value;
  if (value >= 0) return ((value + step / 2) / step) * step;
  return ((value - (step - 1) / 2) / step) * step;
}

void CDiagram::SnapPointToGrid(CPoint& point, CSize step) {
  point.x = SnapCoordinate(point.x, step.cx);
  point.y = SnapCoordinate(point.y, step.cy);
}

void CDiagram::SnapToGrid(CPoint& point) const {
  point.x = SnapCoordinate(point.x, m_gridSize.cx);
  point.y = SnapCoordinate(point.y, m_gridSize.cy);
}

void CDiagram::ClampPoint(CPoint& point, CRect bounds) const {
  bounds.NormalizeRect();
  const CSize step = m_bSnapToGrid ? m_gridSize : CSize(0, 0);
  const CPoint before = point;
  if (point.x < bounds.left) point.x = bounds.left + (step.cx - 1) / 2;
  if (point.x > bounds.right) point.x = bounds.right - step.cx / 2;
  if (point.y < bounds.top) point.y = bounds.top + (step.cy - 1) / 2;
  if (point.y > bounds.bottom) point.y = bounds.bottom - step.cy / 2;
  if (point == before || step.cx == 0 || step.cy == 0) return;
  SnapToGrid(point);
  // Snapping the coordinate that was inside may take it past the bounds (a
  // canvas edge between grid lines): it goes one grid step back in.
  if (point.x > bounds.right) point.x -= step.cx;
  if (point.x < bounds.left) point.x += step.cx;
  if (point.y > bounds.bottom) point.y -= step.cy;
  if (point.y < bounds.top) point.y += step.cy;
}

void CDiagram::ForcePointOnDiagram(CPoint& point) const { ClampPoint(point, GetRect()); }

void CDiagram::ForcePointOnCanvasWithOutline(CDrawObj& object, CPoint& point) const {
  ForcePointOnDiagram(point);
  CRect position = object.GetPosition();
  position.NormalizeRect();
  CRect outline = object.GetBoundingRect();
  outline.NormalizeRect();
  CRect inside = GetRect();
  inside.NormalizeRect();
  inside.DeflateRect(std::max(0, position.left - outline.left), std::max(0, position.top - outline.top),
                     std::max(0, outline.right - position.right), std::max(0, outline.bottom - position.bottom));
  point.x = std::clamp(point.x, inside.left, std::max(inside.left, inside.right));
  point.y = std::clamp(point.y, inside.top, std::max(inside.top, inside.bottom));
}

void CDiagram::ForceRectWithinBounds(CRect& rect, CRect bounds) const {
  rect.NormalizeRect();
  CPoint farCorner(rect.right, rect.bottom);
  const CPoint farBefore = farCorner;
  ClampPoint(farCorner, bounds);
  CPoint nearCorner(rect.left, rect.top);
  nearCorner += farCorner - farBefore;
  ClampPoint(nearCorner, bounds);
  rect.OffsetRect(nearCorner - rect.TopLeft());
  // Snapping the near corner to the grid may push the far side past the
  // bounds again: a rectangle that fits goes one grid step back in.
  bounds.NormalizeRect();
  const CSize step = m_bSnapToGrid ? m_gridSize : CSize(0, 0);
  if (rect.right > bounds.right && rect.left - step.cx >= bounds.left) rect.OffsetRect(-step.cx, 0);
  if (rect.bottom > bounds.bottom && rect.top - step.cy >= bounds.top) rect.OffsetRect(0, -step.cy);
}

void CDiagram::GetDragSizeAndOffset(CSize& size, CSize& offset) const {
  size = m_dragSize;
  offset = m_dragOffset;
}

CBlockFormat* CDiagram::GetBlockFormat() {
  if (!m_pBlockFormat) m_pBlockFormat = new CBlockFormat;
  return m_pBlockFormat;
}

int CDiagram::SetPaperColor(COLORREF color) {
  if (color == m_crPaper) return 1;
  // Like every other edit, a colour whose undo step cannot be recorded (the
  // user would not go on without undo) is not changed.
  if (!CURChangePaperColor::RecordUndo(this)) return 0;
  m_crPaper = color;
  SetModifiedFlag(TRUE);
  UpdateDiagramViews(nullptr, CDrawHint::paperColorChanged, nullptr);
  return 1;
}

int CDiagram::SetCanvasSize(BYTE across, BYTE down) {
  if (!CURCanvasSize::RecordUndo(this)) return 0;
  m_hPages = across;
  m_vPages = down;
  ComputePageSize();
  return 1;
}

void CDiagram::ComputePageSize() {
  int across = 1;
  int down = 1;
  GetMinPagesToCover(m_rcExtent, GetCanvasMode(), IsUpwardPositive(), across, down);
  across = std::min(across, 255);
  down = std::min(down, 255);
  if (across > m_hPages) m_hPages = static_cast<BYTE>(across);
  if (down > m_vPages) m_vPages = static_cast<BYTE>(down);
  const CSize maxPages = GetMaxCanvasSize();
  const int maxAcross = std::clamp(static_cast<int>(maxPages.cx), 1, 255);
  const int maxDown = std::clamp(static_cast<int>(maxPages.cy), 1, 255);
  if (m_hPages > maxAcross) m_hPages = static_cast<BYTE>(maxAcross);
  if (m_vPages > maxDown) m_vPages = static_cast<BYTE>(maxDown);
  if (m_hPages < 1) m_hPages = 1;
  if (m_vPages < 1) m_vPages = 1;
  const CSize page = GetPageSize();
  const CSize size(m_hPages * page.cx, m_vPages * page.cy);
  if (size == m_size) return;
  if (m_size != CSize(0, 0)) SetModifiedFlag(TRUE);
  m_size = size;
  UpdateDiagramViews(nullptr, CDrawHint::canvasSizeChanged, nullptr);
  if (m_bUseQuadTree) RebuildQuadTree();
  if (m_pRouter) m_pRouter->Resize();
}

void CDiagram::RebuildQuadTree() { m_quadTree.Initialize(GetRect(), m_objects); }

void CDiagram::GetMinPagesToCover(const CRect& extent, int canvasMode, BOOL upward, int& across, int& down) const {
  if (m_hMaxPages == 0) UpdatePrinterPageSize(nullptr);
  across = 1;
  down = 1;
  const CSize page = GetPageSize();
  int64_t w = 0;
  int64_t h = 0;
  if (canvasMode == 1) {
    w = std::max(extent.left, extent.right);
    h = std::max(extent.top, extent.bottom);
  } else if (canvasMode == 0) {
    // Centred: both halves count.
    const int64_t positive = upward ? extent.top : extent.bottom;
    const int64_t negative = upward ? extent.bottom : extent.top;
    w = std::max<int64_t>(2 * int64_t{extent.right} - page.cx % 2, -2 * int64_t{extent.left});
    h = std::max<int64_t>(2 * positive - page.cy % 2, -2 * negative);
  } else {
    return;
  }
  if (w > 0 && page.cx > 0) across += static_cast<int>(std::min<int64_t>((w - 1) / page.cx, 0x7FFFFFFF - 1));
  if (h > 0 && page.cy > 0) down += static_cast<int>(std::min<int64_t>((h - 1) / page.cy, 0x7FFFFFFF - 1));
}

namespace {

// What the printer says: its page in hundredths of an inch, its orientation
// and paper, and its resolution. Without a printer: letter paper, portrait,
// 100 per inch.
struct PrinterPage {
  CSize size{850, 1100};
  short orientation = 1;
  short paperSize = 1;
  int resolutionX = 100;
  int resolutionY = 100;
};

PrinterPage ReadPrinter(CPrintDialog& printer) {
  PrinterPage page;
  if (const DEVMODEW* mode = printer.GetDevMode()) {
    page.orientation = mode->dmOrientation;
    page.paperSize = mode->dmPaperSize;
    GlobalUnlock(printer.m_pd.hDevMode);
  }
  CDC dc;
  if (HDC hdc = printer.CreatePrinterDC()) {
    dc.Attach(hdc);
    page.size = CSize(dc.GetDeviceCaps(HORZSIZE) * 1000 / 254, dc.GetDeviceCaps(VERTSIZE) * 1000 / 254);
    page.resolutionX = dc.GetDeviceCaps(LOGPIXELSX);
    page.resolutionY = dc.GetDeviceCaps(LOGPIXELSY);
  }
  return page;
}

// A page set-up a canvas can hold: pages of 1 to kMaxPageLength units and 1
// to 255 of them each way.
bool IsHoldablePageSetup(const CPrinterSetupInfo& info) {
  const auto pageFits = [](LONG length) { return length >= 1 && length <= CDiagram::kMaxPageLength; };
  const auto countFits = [](LONG pages) { return pages >= 1 && pages <= 255; };
  return pageFits(info.m_pageSize.cx) && pageFits(info.m_pageSize.cy) && countFits(info.m_maxPages.cx) &&
         countFits(info.m_maxPages.cy);
}

// The most pages of `pageLength` that fit the coordinate range and keep the
// canvas within 0x7FFFFFF printer pixels, at most 255.
BYTE MaxPages(int64_t pageLength, int64_t resolution) {
  if (pageLength <= 0) return 1;
  int64_t pages = 0x7FFFFFFF / pageLength;
  if (resolution > 0) pages = std::min(pages, int64_t{0x7FFFFFF} * 100 / (pageLength * resolution));
  return static_cast<BYTE>(std::clamp<int64_t>(pages, 1, 255));
}

}  // namespace

BOOL CDiagram::UpdatePrinterPageSize(CPrintDialog* dialog) {
  PrinterPage page;
  if (dialog) {
    if (dialog->m_pd.hDevNames || dialog->m_pd.hDevMode) page = ReadPrinter(*dialog);
  } else {
    // The application's printer; its blocks stay the application's.
    CPrintDialog defaults(TRUE);
    CWinApp* app = AfxGetApp();
    if (app && app->GetPrinterDeviceDefaults(&defaults.m_pd)) page = ReadPrinter(defaults);
  }
  const BYTE hMax = MaxPages(page.size.cx, page.resolutionX);
  const BYTE vMax = MaxPages(page.size.cy, page.resolutionY);
  const BOOL changed = page.size != m_pageSize || hMax != m_hMaxPages || vMax != m_vMaxPages;
  m_pageSize = page.size;
  m_hMaxPages = hMax;
  m_vMaxPages = vMax;
  m_shDefaultOrientation = page.orientation;
  m_shDefaultPaperSize = page.paperSize;
  return changed;
}

int CDiagram::SetPrinterSetupInfo(const CPrinterSetupInfo& info) {
  const CPrinterSetupInfo current(m_shSavedOrientation, m_shSavedPaperSize, m_savedPageSize,
                                  CSize(m_savedHMaxPages, m_savedVMaxPages));
  if (info == current) return 1;
  // A page set-up no canvas can hold would overflow the canvas size.
  if (!IsHoldablePageSetup(info)) AfxThrowInvalidArgException();
  // The recording closes however the change ends, also when recomputing the
  // canvas or forcing the objects onto it throws.
  CUndoRecordingScope recording(CDrawDoc::m_bUsePrinterDefaults ? nullptr : m_pDocument);
  if (!recording.Begin(u"Change Printer Setup")) return 0;
  m_shSavedOrientation = info.m_shOrientation;
  m_shSavedPaperSize = info.m_shPaperSize;
  m_savedPageSize = info.m_pageSize;
  m_savedHMaxPages = info.m_maxPages.cx;
  m_savedVMaxPages = info.m_maxPages.cy;
  if (!m_pDocument) return 1;
  SetModifiedFlag(TRUE);
  if (CDrawDoc::m_bUsePrinterDefaults) return 1;
  try {
    ComputeDrawingExtent();
    int across = 1;
    int down = 1;
    GetMinPagesToCover(m_rcExtent, GetCanvasMode(), IsUpwardPositive(), across, down);
    ComputePageSize();
    if (across > m_hPages || down > m_vPages) HandleObjectsBeyondCanvas(1, 1);
  } catch (...) {
    // The set-up has changed: the entry that closes still takes it back.
    CURChangePrinterSetup::RecordUndo(this, current);
    throw;
  }
  CURChangePrinterSetup::RecordUndo(this, current);
  recording.End();
  return 1;
}

void CDiagram::SavePrinterSetup() {
  SetPrinterSetupInfo(CPrinterSetupInfo(m_shDefaultOrientation, m_shDefaultPaperSize, m_pageSize,
                                        CSize(m_hMaxPages, m_vMaxPages)));
}

int CDiagram::MoveOntoCanvas(CDrawObj* object, const CRect& bounds, int recordUndo) {
  const CRect extent = Normalized(object->GetBoundingRectIncludingComponents());
  if (Contains(bounds, extent)) return 0;
  CRect forced = extent;
  ForceRectWithinBounds(forced, bounds);
  const CPoint delta = forced.TopLeft() - extent.TopLeft();
  if (delta == CPoint(0, 0)) return 0;
  if (recordUndo) object->InitializeRepositioning();
  object->MoveBy(delta, recordUndo);
  if (recordUndo) object->FinalizeDrawing(object->GetPosition(), nullptr, 1);
  return 1;
}

int CDiagram::ForceObjectOntoCanvas(CDrawObj* object, int recordUndo) {
  if (!object || object->IsKindOf(RUNTIME_CLASS(CDrawArc))) return 0;
  if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, object); port && port->GetDrawBlock()) object = port->GetDrawBlock();
  // A member moves with its group, as the group moves it.
  while (CDrawGroup* group = object->GetGroup()) {
    if (!group->GetMembers().Find(object)) break;
    object = group;
  }
  if (object->GetDiagram() != this || object->GetDrawState() == drawStateDeleted) return 0;
  return MoveOntoCanvas(object, Normalized(GetRect()), recordUndo);
}

int CDiagram::HandleObjectsBeyondCanvas(int ask, int recordUndo) {
  if (ask) {
    if (!CMsgBox::Confirm(6)) return 0;
    if (!recordUndo && !CMsgBox::Confirm(7)) return 0;
  }
  CUndoRecordingScope recording(m_pDocument);
  if (recordUndo) {
    if (!recording.Begin(u"Force Objects Onto Canvas")) return 0;
    recording.BeginRouteChanges(this);
  }
  const CRect bounds = Normalized(GetRect());
  CDrawList elements(m_objects);
  elements.ExcludeElementComponents();
  for (POSITION pos = elements.GetHeadPosition(); pos;) MoveOntoCanvas(elements.GetNext(pos), bounds, recordUndo);
  if (recordUndo) {
    recording.End();
  } else {
    // Objects moved without being told about it: bring the extent and the
    // tree up to where they are now.
    ComputeDrawingExtent();
    if (m_bUseQuadTree) RebuildQuadTree();
  }
  return 1;
}
