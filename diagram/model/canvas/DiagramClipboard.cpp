// CDiagram: the clipboard in the diagram's native format, pasting, and
// moving or copying objects between diagrams by drag and drop. OLE objects
// are pasted by DiagramOle.cpp.
#include "diagram/model/canvas/Diagram.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/canvas/DiagramLoadScope.h"
#include "diagram/model/canvas/DrawDataSource.h"
#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawItem.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/model/undo/UndoRecordingScope.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SharedFile.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ui/CmdTarget.h"

namespace {


// The view update hint that repaints a list of objects.
constexpr LPARAM kHintRepaintObjects = 30;
// The buffer of the archive a paste reads through.
constexpr UINT kPasteBufferSize = 4096;

[[noreturn]] void ThrowDamaged(CArchive& ar, int cause) { AfxThrowArchiveException(cause, ar.m_strFileName.GetString()); }

void WriteObjectList(CArchive& ar, const CDrawList& objects) {
  ar.WriteCount(static_cast<DWORD_PTR>(objects.GetCount()));
  for (POSITION pos = objects.GetHeadPosition(); pos;) ar << static_cast<const CObject*>(objects.GetNext(pos));
}

// Reads a list written so; every entry must be a drawing object. An object
// is in `objects` before the next is read, so that a failure finds it.
void ReadObjectList(CArchive& ar, CDrawList& objects) {
  for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
    auto* object = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
    if (object) objects.AddTail(object);
  }
}

// Pasted objects lie within half the stored range, and a paste moves them
// by at most the whole of it, so that no coordinate overflows on the way
// (a canvas reaches far less).
constexpr int64_t kMaxPastedCoordinate = kMaxStoredCoordinate / 2;
constexpr int64_t kMaxPasteOffset = kMaxStoredCoordinate;

bool WithinPasteRange(const CRect& r) {
  return std::max({std::abs(int64_t{r.left}), std::abs(int64_t{r.right}), std::abs(int64_t{r.top}),
                   std::abs(int64_t{r.bottom})}) <= kMaxPastedCoordinate;
}

LONG ClampOffset(int64_t value) {
  return static_cast<LONG>(std::clamp(value, -kMaxPasteOffset, kMaxPasteOffset));
}

// The list with every wire moved to its end, the rest in their order.
void MoveArcsLast(CDrawList& objects) {
  CDrawList arcs;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) arcs.AddTail(object);
  }
  objects -= arcs;
  objects.AddTail(arcs);
}

// The fields before the objects of a native stream.
struct NativeHeader {
  DWORD version = 0;
  BOOL upward = TRUE;
  LONG copyTime = 0;
  CPoint origin;
};

// Reads the header: the current layout (version, upward flag, time), or the
// older one whose first value is the copy time (its upper half is never
// zero): version 15, upward. A version this system cannot read is damage.
NativeHeader ReadNativeHeader(CArchive& ar) {
  NativeHeader header;
  DWORD first = 0;
  ar >> first;
  if (first & 0xFFFF0000u) {
    header.version = 15;
    header.upward = TRUE;
    header.copyTime = static_cast<LONG>(first);
  } else {
    DWORD upward = 0;
    DWORD copyTime = 0;
    ar >> upward >> copyTime;
    header.version = first;
    header.upward = upward % 2 == 1;
    header.copyTime = static_cast<LONG>(copyTime);
  }
  if (header.version > CDrawDoc::kCurrentVersion) ThrowDamaged(ar, CArchiveException::badSchema);
  return header;
}

}  // namespace

void CDiagram::MoveObjectsForOleDragDrop(const CDrawList& objects, CSize offset) {
  OnBeginDragMoveInternal(objects);
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    CDrawObj* object = objects.GetNext(pos);
    object->FinalizeDrawing(object->GetPosition() + offset, nullptr, 1);
  }
  OnEndDragMoveInternal(objects);
}

void CDiagram::ComputeDragDimensions(const CDrawList& objects, CPoint dragPoint, CSize& offset, CSize& size) {
  CRect extent;
  for (POSITION pos = objects.GetHeadPosition(); pos;) GrowExtentToBoundRect(extent, objects.GetNext(pos)->GetDraggingRect());
  if (objects.IsEmpty()) {
    offset = CSize(0, 0);
    size = CSize(0, 0);
    return;
  }
  size = CSize(extent.right - extent.left, extent.bottom - extent.top);
  offset = dragPoint - extent.TopLeft();
}

void CDiagram::AddNonNativeClipboardFormatData(COleDataSource*, const CDrawList&) {}

void CDiagram::CopyNative2ClipboardFile(CFile* file, const CDrawList& objects, LONG copyTime, CPoint origin,
                                        const CObject* other) {
  CArchive ar(file, CArchive::store);
  ar.m_pDocument = m_pDocument;
  const WORD version = m_pDocument ? m_pDocument->GetDrawDocVersion() : CDrawDoc::kCurrentVersion;
  ar << static_cast<DWORD>(version) << static_cast<DWORD>(IsUpwardPositive() ? 1 : 0) << static_cast<DWORD>(copyTime);
  ar << origin;
  ar << other;
  WriteObjectList(ar, objects);
  // The same objects back to front; the archive writes references to them.
  CDrawList drawingOrder(objects);
  SortInDrawOrder(drawingOrder);
  WriteObjectList(ar, drawingOrder);
  ar.Close();
}

void CDiagram::EditCopy(const CDrawList& selection, WORD format, CPoint origin, const CObject* other) {
  if (selection.IsEmpty()) return;
  CWaitCursor wait;
  const LONG copyTime = static_cast<LONG>(std::time(nullptr));
  // The copyable elements with their components, and the wires between
  // them; a component or a wire counts only through its elements.
  CDrawList objects(selection);
  objects.ExcludeElementComponents();
  objects.ExcludeNonCopyables();
  objects.ExcludeArcs();
  objects.IncludeElementComponents();
  objects.IncludeContainedArcs();
  if (objects.IsEmpty()) return;

  CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE, 4096);
  CopyNative2ClipboardFile(&file, objects, copyTime, origin, other);
  HGLOBAL block = file.Detach();
  if (!block) AfxThrowMemoryException();
  auto* source = new COleDataSource;
  try {
    source->CacheGlobalData(format, block);
    block = nullptr;
    // One OLE object alone travels in its own formats too.
    if (objects.GetCount() == 1) {
      auto* ole = DYNAMIC_DOWNCAST(CDrawOleObj, objects.GetHead());
      if (ole && ole->GetItem()) ole->GetItem()->GetClipboardData(source, TRUE);
    }
    // The first paste lands one step away from the copied objects.
    m_pasteOffset = GetOffsetDelta();
    AddNonNativeClipboardFormatData(source, objects);
    source->SetClipboard();
  } catch (...) {
    if (block) GlobalFree(block);
    source->InternalRelease();
    throw;
  }
}

void CDiagram::EditPaste(CPoint at, CDrawList& result) {
  CWaitCursor wait;
  COleDataObject data;
  if (!data.AttachClipboard()) return;
  for (int i = 0;; ++i) {
    const WORD format = GetClipboardFormat(i);
    if (!format) break;
    if (!data.IsDataAvailable(format)) continue;
    CObject* other = nullptr;
    PasteNative(data, format, at, result, other);
    delete other;
    return;
  }
  result.RemoveAll();
  if (CDrawOleObj* object = PasteOLE(data, 0, at)) result.AddTail(object);
}

int CDiagram::PasteNative(COleDataObject& data, WORD format, CPoint at, CDrawList& result, CObject*& other) {
  result.RemoveAll();
  std::unique_ptr<CFile> file(data.GetFileData(format));
  if (!file || !m_pDocument) return 0;
  CDrawDoc* document = m_pDocument;
  CUndoRecordingScope recording(document);
  if (!recording.Begin(u"Paste", 255)) return 0;
  CWaitCursor wait;

  // Field 6 (the objects, each written in full once) goes to `local`, field
  // 7 (the same objects in drawing order) to `result`.
  CDrawList local;
  NativeHeader header;
  try {
    CArchive ar(file.get(), CArchive::load, kPasteBufferSize);
    ar.m_pDocument = document;
    header = ReadNativeHeader(ar);
    // Every object reads its fields as the source's version wrote them.
    document->StartLoad(static_cast<WORD>(header.version));
    ar >> header.origin;
    {
      const DiagramLoadScope scope(document, this, m_pLoadingElements, local);
      other = ar.ReadObject(nullptr);
      ReadObjectList(ar, local);
      ReadObjectList(ar, result);
    }
    ar.Close();
    // The extra object is none of the objects.
    if (other && (local.Find(other) || result.Find(other))) {
      other = nullptr;
      ThrowDamaged(ar, CArchiveException::badIndex);
    }
    // What the objects own comes with them, and the drawing order names
    // nothing that was not read as an object; anything else is damage, as
    // are coordinates that no canvas reaches.
    CDrawList owned(local);
    owned.IncludeElementComponents();
    for (POSITION pos = result.GetHeadPosition(); pos;) {
      CDrawObj* object = result.GetNext(pos);
      if (!owned.Find(object)) {
        owned.AddTail(object);
        local.AddTail(object);
        ThrowDamaged(ar, CArchiveException::badIndex);
      }
    }
    for (POSITION pos = owned.GetHeadPosition(); pos;) {
      if (!WithinPasteRange(owned.GetNext(pos)->GetBoundingRectIncludingComponents()))
        ThrowDamaged(ar, CArchiveException::badIndex);
    }
  } catch (CException&) {
    // Nothing read is kept: the document frees the objects it noted as
    // failures, and the rest go as the objects of a failed load do, through
    // a diagram of their own; the records made meanwhile are dropped.
    CDrawList read(local);
    read += result;
    // An extra object that is a drawing object goes with them.
    if (auto* drawing = DYNAMIC_DOWNCAST(CDrawObj, other)) {
      read += drawing;
      other = nullptr;
    }
    local.RemoveAll();
    result.RemoveAll();
    document->ExcludeLoadFailuresFrom(read);
    document->DeleteLoadFailures();
    {
      CDiagram scratch;
      for (POSITION pos = read.GetHeadPosition(); pos;) {
        CDrawObj* object = read.GetNext(pos);
        object->SetDiagram(&scratch);
        scratch.m_objects.AddTail(object);
      }
      scratch.DeleteContents();
    }
    delete other;
    other = nullptr;
    document->FlushUndoRecording();
    recording.End();
    document->EndLoad(1);
    return 0;
  }

  // The offset of repeated pastes: the same copy pasted again steps on.
  if (header.copyTime == m_lastPasteCopyTime) {
    m_pasteOffset += GetOffsetDelta();
  } else {
    m_lastPasteCopyTime = header.copyTime;
    m_lastPastePoint = header.origin;
  }

  // Objects of a diagram whose y axis runs the other way are mirrored, each
  // once, components included.
  if ((header.upward != FALSE) != (IsUpwardPositive() != FALSE)) {
    CDrawList mirrored(local);
    mirrored += result;
    mirrored.IncludeElementComponents();
    for (POSITION pos = mirrored.GetHeadPosition(); pos;) mirrored.GetNext(pos)->FlipAndOffset(1, CPoint(0, 0));
  }
  LoadFailAnythingInappropriate(result);
  document->ExcludeLoadFailuresFrom(local);
  document->ExcludeLoadFailuresFrom(result);
  // An extra object that failed to load is the document's to free.
  if (auto* drawing = DYNAMIC_DOWNCAST(CDrawObj, other)) {
    CDrawList extra;
    extra.AddTail(drawing);
    document->ExcludeLoadFailuresFrom(extra);
    if (extra.IsEmpty()) other = nullptr;
  }
  file.reset();

  if (!local.IsEmpty()) {
    CDrawList top(local);
    top.ExcludeElementComponents();
    CRect united;
    for (POSITION pos = top.GetHeadPosition(); pos;)
      GrowExtentToBoundRect(united, top.GetNext(pos)->GetBoundingRectIncludingComponents());

    // A paste at a new point puts the objects' top-left corner there.
    if (at != m_lastPastePoint) {
      m_pasteOffset = CSize(ClampOffset(int64_t{at.x} - united.left), ClampOffset(int64_t{at.y} - united.top));
      m_lastPastePoint = at;
    }

    // The canvas grows to hold the objects' size, at most to its largest.
    bool fit = true;
    const CSize page = GetPageSize();
    const CSize maxPages = GetMaxCanvasSize();
    const int64_t width = int64_t{united.right} - united.left;
    if (width > m_size.cx) {
      int64_t across = (width - 1) / page.cx + 1;
      if (across > maxPages.cx) {
        across = maxPages.cx;
        fit = false;
      }
      SetCanvasSize(static_cast<BYTE>(std::clamp<int64_t>(across, 1, 255)), m_vPages);
    }
    const int64_t height = std::abs(int64_t{united.top} - united.bottom);
    if (height > m_size.cy) {
      int64_t down = (height - 1) / page.cy + 1;
      if (down > maxPages.cy) {
        down = maxPages.cy;
        fit = false;
      }
      SetCanvasSize(m_hPages, static_cast<BYTE>(std::clamp<int64_t>(down, 1, 255)));
    }

    // Past the right or the lower edge the objects step back in; the left
    // and the upper edge win over them.
    const CRect bounds = GetRect();
    const int64_t halfX = m_bSnapToGrid ? m_gridSize.cx / 2 : 0;
    const int64_t halfY = m_bSnapToGrid ? m_gridSize.cy / 2 : 0;
    const int64_t s = IsUpwardPositive() ? 1 : -1;
    int64_t dx = m_pasteOffset.cx;
    int64_t dy = m_pasteOffset.cy;
    int64_t over = united.right + dx - bounds.right;
    if (over > 0) {
      const int64_t room = united.left + dx - bounds.left - halfX;
      if (over > room) {
        over = room;
        fit = false;
      }
      dx -= over + halfX;
    }
    over = (bounds.bottom - dy - united.bottom) * s;
    if (over > 0) {
      const int64_t room = (bounds.top - dy - united.top) * s - halfY;
      if (over > room) {
        over = room;
        fit = false;
      }
      dy += s * (over + halfY);
    }
    const int64_t pastLeft = bounds.left - (united.left + dx);
    if (pastLeft > 0) dx += pastLeft;
    const int64_t pastTop = (united.top + dy - bounds.top) * s;
    if (pastTop > 0) dy -= s * pastTop;
    m_pasteOffset = CSize(ClampOffset(dx), ClampOffset(dy));
    const CSize offset = m_pasteOffset;

    CRect inside = bounds;
    inside.NormalizeRect();
    for (POSITION pos = top.GetHeadPosition(); pos;) {
      CDrawObj* element = top.GetNext(pos);
      element->MoveBy(CPoint(offset.cx, offset.cy), 0);
      if (m_bSnapToGrid) element->SnapToGrid(nullptr, 0);
      CRect outline = element->GetBoundingRectIncludingComponents();
      outline.NormalizeRect();
      CRect within = outline;
      within.IntersectRect(within, inside);
      // An element that does not lie wholly on the canvas is brought onto it.
      if (!fit || within != outline) {
        CRect forced = outline;
        ForceRectWithinBounds(forced, inside);
        const CPoint shift = forced.TopLeft() - outline.TopLeft();
        if (shift != CPoint(0, 0)) element->MoveBy(shift, 0);
      }
    }

    // Blocks come with their ports, other elements before what they own,
    // wires after what they join.
    CDrawList ordered(local);
    ordered.IncludeElementComponents();
    MoveArcsLast(ordered);
    CDrawList added;
    recording.BeginRouteChanges(this);
    while (!ordered.IsEmpty()) {
      CDrawObj* object = ordered.RemoveHead();
      int done = 0;
      if (auto* block = DYNAMIC_DOWNCAST(CDrawBlock, object)) {
        block->ExcludeComponentsFromList(&ordered);
        done = block->AddBlockAndComponentsToDiagram(this);
        if (done) block->IncludeComponentsInList(&added);
      } else {
        done = Add(object);
      }
      if (done) {
        added.AddTail(object);
      } else {
        result -= object;
        delete object;
      }
    }
    // The pasted objects lie on top, in their source's stacking order.
    CDrawList stacking(result);
    stacking.IncludeElementComponents();
    stacking.ExcludeAllBut(RUNTIME_CLASS(CDrawObj));
    CDrawList onTop;
    for (POSITION pos = stacking.GetHeadPosition(); pos;) {
      CDrawObj* object = stacking.GetNext(pos);
      if (added.Find(object) && m_objects.Find(object)) onTop.AddTail(object);
    }
    m_objects -= onTop;
    int index = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos; ++index) m_objects.GetNext(pos)->SetZIndex(index);
    for (POSITION pos = onTop.GetHeadPosition(); pos; ++index) {
      CDrawObj* object = onTop.GetNext(pos);
      m_objects.AddTail(object);
      object->SetZIndex(index);
    }
    result = stacking;
    recording.End();
    UpdateDiagramViews(nullptr, kHintRepaintObjects, &result);
  }
  document->EndLoad(1);
  recording.End();
  return 1;
}

void CDiagram::DragAndDrop(const CDrawList& objects, CDrawView* view) {
  if (objects.IsEmpty()) return;
  CWaitCursor wait;
  CUndoRecordingScope recording(m_pDocument);
  if (!recording.Begin(u"Drag And Drop", 255)) return;
  CPoint dragPoint = m_lastClickPoint;
  if (m_bSnapToGrid) SnapToGrid(dragPoint);
  CDrawDataSource source(m_pDocument, this, objects, GetClipboardFormat(0), m_lastClickPoint, GetClipboardOther(0));
  AddNonNativeClipboardFormatData(&source, objects);
  ComputeDragDimensions(objects, dragPoint, m_dragOffset, m_dragSize);

  // A drop into this diagram clears the flag itself: nothing is to be
  // deleted here then.
  m_bInDrag = 1;
  m_pDragList = const_cast<CDrawList*>(&objects);
  DROPEFFECT effect = DROPEFFECT_NONE;
  try {
    effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  } catch (...) {
    m_pDragList = nullptr;
    m_bInDrag = 0;
    throw;
  }
  m_pDragList = nullptr;
  if (m_bInDrag) {
    m_bInDrag = 0;
    if (effect & DROPEFFECT_MOVE) OnEndDragMoveExternal(objects, view);
  }
  recording.End();
}

int CDiagram::Drop(COleDataObject* data, DWORD effect, CPoint at, CDrawList& result) {
  CWaitCursor wait;
  WORD format = 0;
  for (int i = 0;; ++i) {
    format = GetClipboardFormat(i);
    if (!format || data->IsDataAvailable(format)) break;
  }
  if (!format) {
    CDrawOleObj* object = PasteOLE(*data, (effect & DROPEFFECT_LINK) ? 1 : 0, at);
    if (!object) return 0;
    result.AddTail(object);
    return 1;
  }
  if ((effect & DROPEFFECT_MOVE) && m_bInDrag && m_pDragList) {
    // A move within this diagram: the objects move where they were dropped.
    CDrawList objects;
    objects = *m_pDragList;
    objects.ExcludeElementComponents();
    objects.ExcludeNonDraggables();
    if (objects.IsEmpty()) {
      m_bInDrag = 0;
      return 0;
    }
    CUndoRecordingScope recording(m_pDocument);
    if (!recording.Begin(u"Reposition", 255)) return 0;
    recording.BeginRouteChanges(this);
    CRect united = objects.GetTail()->GetDraggingRect();
    CDrawList ordered(objects);
    // Wires first, then the rest.
    CDrawList arcs;
    for (POSITION pos = ordered.GetHeadPosition(); pos;) {
      CDrawObj* object = ordered.GetNext(pos);
      if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) arcs.AddTail(object);
    }
    ordered -= arcs;
    ordered.AddHead(arcs);
    for (POSITION pos = ordered.GetHeadPosition(); pos;) {
      CDrawObj* object = ordered.GetNext(pos);
      object->InitializeRepositioning();
      if (m_bSnapToGrid) object->SnapToGrid(nullptr, 1);
      GrowExtentToBoundRect(united, object->GetDraggingRect());
    }
    CPoint move = at - united.TopLeft();
    if (m_bSnapToGrid) SnapToGrid(move);
    CRect normal = united;
    normal.NormalizeRect();
    CRect moved = normal;
    moved.OffsetRect(move);
    ForceRectWithinBounds(moved, GetRect());
    const CPoint shift = moved.TopLeft() - normal.TopLeft();
    MoveObjectsForOleDragDrop(ordered, CSize(shift.x, shift.y));
    recording.End();
    result.AddTail(*m_pDragList);
    m_bInDrag = 0;
    return 1;
  }
  CObject* other = nullptr;
  const int pasted = PasteNative(*data, format, at, result, other);
  delete other;
  return pasted;
}

BOOL CDiagram::IsHostInDrag(CDrawObj* object) const {
  const CDiagram* diagram = this;
  CDrawObj* candidate = object;
  while (diagram && !(diagram->m_bInDrag && diagram->m_pDragList)) {
    // One level up, the object stands for itself through the block that
    // hosts this diagram.
    candidate = diagram->GetHostObj();
    diagram = candidate ? candidate->GetDiagram() : nullptr;
  }
  if (!diagram || !candidate) return FALSE;
  return diagram->m_pDragList->Find(candidate) ? TRUE : FALSE;
}

void CDiagram::OnEndDragMoveExternal(const CDrawList& objects, CDrawView*) {
  CUndoRecordingScope batch(nullptr);
  batch.BeginRouteChanges(this);
  CDrawList elements(objects);
  elements.ExcludeElementComponents();
  elements.DeleteElements(m_pDocument);
  batch.End();
}

void CDiagram::OnBeginDragMoveInternal(const CDrawList&) {}
void CDiagram::OnEndDragMoveInternal(const CDrawList&) {}
