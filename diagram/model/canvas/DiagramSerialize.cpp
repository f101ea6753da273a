// CDiagram: the diagram record (reading and writing it) and emptying the
// diagram.
#include "diagram/model/canvas/Diagram.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "diagram/model/document/ArchiveEncoding.h"
#include "diagram/model/blocks/BlockFormat.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/canvas/DiagramLoadScope.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/DrawHint.h"
#include "platform/core/MemFile.h"

namespace {

[[noreturn]] void ThrowBadFormat(CArchive& ar) {
  AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName.GetString());
}

// The block size of a copy of a whole object list made to be walked and
// dropped: few allocations, each well below the size the allocator maps
// from the system.
constexpr INT_PTR kCopyBlockSize = 128;

// What list.ExcludeElementComponents() does to a copy of `source`: each
// object of the source takes its components out of the copy. The walk goes
// over the source, which the exclusions leave as it is, so no snapshot of
// the copy is needed.
void ExcludeComponentsOfSource(const CDrawList& source, CDrawList& copy) {
  for (POSITION pos = source.GetHeadPosition(); pos;) {
    CDrawObj* object = source.GetNext(pos);
    if (!object) continue;
    object->ExcludeComponentsFromList(&copy);
    object->ExcludeAttachmentDrawPorts(&copy);
  }
}

// Writes a list of objects as CObList does: the count, then each object.
void WriteObjects(CArchive& ar, const CDrawList& objects) {
  ar.WriteCount(static_cast<DWORD_PTR>(objects.GetCount()));
  for (POSITION pos = objects.GetHeadPosition(); pos;) ar << static_cast<const CObject*>(objects.GetNext(pos));
}

// The objects that own the diagrams being read, outermost first.
std::vector<const CDrawObj*>& LoadingHosts() {
  static thread_local std::vector<const CDrawObj*> hosts;
  return hosts;
}

// Marks a diagram's host as being read while the diagram is.
class LoadingHostScope {
 public:
  explicit LoadingHostScope(const CDrawObj* host) : host_(host) {
    if (host_) LoadingHosts().push_back(host_);
  }
  ~LoadingHostScope() {
    if (host_) LoadingHosts().pop_back();
  }
  LoadingHostScope(const LoadingHostScope&) = delete;
  LoadingHostScope& operator=(const LoadingHostScope&) = delete;

 private:
  const CDrawObj* host_;
};

// Reads such a list into `objects`. Every entry must be a drawing object
// (badClass otherwise); null entries and repeated objects add nothing. An
// object read is in `objects` before the next one is read, so that whoever
// cleans up after a failure finds it. A diagram never holds the block that
// owns it or one around that (a damaged stream's reference back to it):
// such a stream is refused, as the block would contain itself. So is an
// object read into another diagram (a reference to it from this one): an
// object lies on one canvas only.
void ReadObjects(CArchive& ar, CDrawList& objects, const CDiagram* diagram) {
  for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
    auto* object = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
    if (!object) continue;
    const std::vector<const CDrawObj*>& hosts = LoadingHosts();
    if (std::find(hosts.begin(), hosts.end(), object) != hosts.end() ||
        (object->GetDiagram() && object->GetDiagram() != diagram))
      AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName.GetString());
    objects.AddTail(object);
  }
}

// Copies the stored state of an edit lock (masks and scrambled password)
// into another, which keeps its master value.
void CopyLockState(CSecurityChecker& from, CSecurityChecker& to) {
  CMemFile memory;
  {
    CArchive ar(&memory, CArchive::store);
    from.Serialize(ar);
  }
  memory.SeekToBegin();
  CArchive ar(&memory, CArchive::load);
  to.Serialize(ar);
}

int64_t RoundUpToStep(int64_t value, int step) { return step ? (value + step - 1) / step * step : value; }
int64_t RoundToStep(int64_t value, int step) { return step ? (value + step / 2) / step * step : value; }

}  // namespace

void CDiagram::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    StoreRecord(ar);
  else
    LoadRecord(ar);
}

void CDiagram::StoreRecord(CArchive& ar) {
  ar << static_cast<WORD>(GetCanvasMode()) << static_cast<WORD>(IsUpwardPositive() ? 1 : 0);
  ar << m_hPages << m_vPages;
  ar << static_cast<DWORD>(m_crPaper);
  ar << static_cast<const CObject*>(m_pBlockFormat);
  ar << m_savedPageSize;
  ar << static_cast<WORD>(m_shSavedOrientation) << static_cast<WORD>(m_shSavedPaperSize);
  ar << CSize(m_savedHMaxPages, m_savedVMaxPages);
  // The elements come first, so that every block exists before the ports
  // and arcs that refer to it.
  CDrawList elements(kCopyBlockSize);
  elements.AddTail(m_objects);
  ExcludeComponentsOfSource(m_objects, elements);
  elements.ExcludeArcs();
  WriteObjects(ar, elements);
  m_lock.Serialize(ar);
  WriteObjects(ar, m_objects);
}

void CDiagram::LoadRecord(CArchive& ar) {
  // The objects of a diagram find their diagram, and the stream version,
  // through the archive's document.
  CDrawDoc* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  if (!document) AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName.GetString());
  m_pDocument = document;
  // Loading replaces the contents.
  DeleteContents();
  const WORD version = GetArchiveStreamVersion(ar);

  // The settings as they were, for a load that fails.
  const BYTE oldHPages = m_hPages;
  const BYTE oldVPages = m_vPages;
  const COLORREF oldPaper = m_crPaper;
  const CSize oldPageSize = m_savedPageSize;
  const short oldOrientation = m_shSavedOrientation;
  const short oldPaperSize = m_shSavedPaperSize;
  const int oldHMax = m_savedHMaxPages;
  const int oldVMax = m_savedVMaxPages;

  CDrawList elements;
  const DiagramLoadScope scope(document, this, m_pLoadingElements, elements);
  const LoadingHostScope host(m_pHostObj);
  CObject* format = nullptr;
  try {
    WORD storedMode = 0;
    WORD storedUpward = 1;
    if (version >= 16) ar >> storedMode >> storedUpward;
    BYTE hPages = 0;
    BYTE vPages = 0;
    DWORD paper = 0;
    ar >> hPages >> vPages >> paper;
    format = ar.ReadObject(RUNTIME_CLASS(CBlockFormat));
    CSize pageSize = m_savedPageSize;
    short orientation = m_shSavedOrientation;
    short paperSize = m_shSavedPaperSize;
    int hMax = m_savedHMaxPages;
    int vMax = m_savedVMaxPages;
    if (version >= 17) {
      WORD storedOrientation = 0;
      WORD storedPaperSize = 0;
      ar >> pageSize >> storedOrientation >> storedPaperSize;
      if (pageSize.cx < 1 || pageSize.cy < 1 || pageSize.cx > kMaxPageLength || pageSize.cy > kMaxPageLength)
        ThrowBadFormat(ar);
      orientation = static_cast<short>(storedOrientation);
      paperSize = static_cast<short>(storedPaperSize);
    }
    if (version >= 18) {
      CSize maxPages;
      ar >> maxPages;
      // A canvas has 1 to 255 pages each way.
      hMax = std::clamp(static_cast<int>(maxPages.cx), 1, 255);
      vMax = std::clamp(static_cast<int>(maxPages.cy), 1, 255);
    } else if (version == 17) {
      DWORD ignored = 0;
      ar >> ignored >> ignored;
      hMax = 255;
      vMax = 255;
    }
    ReadObjects(ar, elements, this);
    CSecurityChecker lock;
    if (version >= 13) lock.Serialize(ar);
    ReadObjects(ar, m_objects, this);

    m_hPages = hPages;
    m_vPages = vPages;
    m_crPaper = paper;
    m_pBlockFormat = static_cast<CBlockFormat*>(format);
    format = nullptr;
    m_savedPageSize = pageSize;
    m_shSavedOrientation = orientation;
    m_shSavedPaperSize = paperSize;
    m_savedHMaxPages = hMax;
    m_savedVMaxPages = vMax;
    PlaceLoadedObjects(ar, elements, storedMode, storedUpward);
    if (version >= 13) CopyLockState(lock, m_lock);
  } catch (...) {
    delete format;
    DiscardFailedLoad(elements);
    m_hPages = oldHPages;
    m_vPages = oldVPages;
    m_crPaper = oldPaper;
    m_savedPageSize = oldPageSize;
    m_shSavedOrientation = oldOrientation;
    m_shSavedPaperSize = oldPaperSize;
    m_savedHMaxPages = oldHMax;
    m_savedVMaxPages = oldVMax;
    throw;
  }
}

void CDiagram::PlaceLoadedObjects(CArchive& ar, CDrawList& elements, int storedMode, BOOL storedUpward) {
  // Objects whose classes failed to load stay out.
  if (m_pDocument) {
    m_pDocument->ExcludeLoadFailuresFrom(elements);
    m_pDocument->ExcludeLoadFailuresFrom(m_objects);
  }
  // Every element and every component of an object belongs on the canvas.
  CDrawList wanted(elements);
  wanted += m_objects;
  wanted.IncludeElementComponents();
  if (m_pDocument) m_pDocument->ExcludeLoadFailuresFrom(wanted);
  bool added = false;
  for (POSITION pos = wanted.GetHeadPosition(); pos;) {
    CDrawObj* object = wanted.GetNext(pos);
    if (m_objects.AddTail(object)) added = true;
  }
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    // The diagram owns what it holds (an archive without a document gives
    // the objects none).
    if (object->GetDiagram() != this) object->SetDiagram(this);
    const CRect& r = object->GetPosition();
    if (std::max({std::abs(int64_t{r.left}), std::abs(int64_t{r.right}), std::abs(int64_t{r.top}),
                  std::abs(int64_t{r.bottom})}) > kMaxStoredCoordinate)
      ThrowBadFormat(ar);
  }
  if (added) SetModifiedFlag(TRUE);

  ComputeDrawingExtent();

  // A diagram stored with another canvas mode or y direction is moved onto
  // this canvas.
  const int mode = GetCanvasMode();
  const BOOL upward = IsUpwardPositive();
  const bool flip = (storedUpward != 0) != (upward != 0);
  // The extent as the stored canvas saw it; negated below, it is ordered
  // for this canvas again.
  if (flip) std::swap(m_rcExtent.top, m_rcExtent.bottom);
  const CRect extent = m_rcExtent;
  int step = 0;
  const UINT method = GetAutoRouteMethod();
  if ((method == 0 || method == 1 || method == 3) && (m_nManualRouteMethod == 1 || m_nManualRouteMethod == 3))
    step = m_autoRouteOption.m_nMinDistance;
  int across = 1;
  int down = 1;
  GetMinPagesToCover(extent, storedMode, storedUpward, across, down);
  // No canvas has more than 255 pages each way.
  across = std::min(across, 255);
  down = std::min(down, 255);
  const CSize page = GetPageSize();
  int64_t dx = 0;
  int64_t dy = 0;
  if (storedMode == 0 && mode == 1) {
    dx = RoundUpToStep(int64_t{page.cx} * across / 2, step);
    dy = RoundUpToStep(int64_t{page.cy} * down / 2, step);
  } else if (storedMode == 1 && mode == 0) {
    dx = -(int64_t{page.cx} * across / 2);
    dy = -(int64_t{page.cy} * down / 2);
    if (flip) dy = -dy;
    dx = RoundToStep(dx, step);
    dy = RoundToStep(dy, step);
  } else if (storedMode == 1 && mode == 1 && flip) {
    dy = RoundUpToStep(int64_t{page.cy} * down, step);
  }
  const bool convert = flip || dx != 0 || dy != 0;
  const CPoint offset(static_cast<int>(dx), static_cast<int>(dy));

  int index = 0;
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    object->SetZIndex(index++);
    if (convert) object->FlipAndOffset(flip, offset);
  }
  if (convert) {
    if (flip) {
      m_rcExtent.top = -m_rcExtent.top;
      m_rcExtent.bottom = -m_rcExtent.bottom;
    }
    m_rcExtent.OffsetRect(offset);
  }
  GetMinPagesToCover(m_rcExtent, mode, upward, across, down);

  const CSize sizeBefore = m_size;
  ComputePageSize();
  // ComputePageSize files the objects only when the canvas changed size.
  if (m_bUseQuadTree && m_size == sizeBefore) RebuildQuadTree();
  if (across > m_hPages || down > m_vPages) HandleObjectsBeyondCanvas(1, 0);
}

void CDiagram::DiscardFailedLoad(CDrawList& elements) {
  // The document frees the objects that failed; they leave the lists first.
  // A block whose diagram is still being read (this one's or one around
  // it) stays a failure for the load that reads it: it owns the diagram.
  if (m_pDocument) {
    m_pDocument->ExcludeLoadFailuresFrom(elements);
    m_pDocument->ExcludeLoadFailuresFrom(m_objects);
    CDrawList hosts;
    for (const CDrawObj* host : LoadingHosts()) hosts.AddTail(const_cast<CDrawObj*>(host));
    CDrawList others(hosts);
    m_pDocument->ExcludeLoadFailuresFrom(others);
    std::vector<CDrawObj*> failedHosts;
    for (POSITION pos = hosts.GetHeadPosition(); pos;) {
      CDrawObj* host = hosts.GetNext(pos);
      if (others.Find(host)) continue;
      failedHosts.push_back(host);
      m_pDocument->RemoveLoadFailure(host);
    }
    m_pDocument->DeleteLoadFailures();
    for (CDrawObj* host : failedHosts) m_pDocument->AddLoadFailure(host);
  }
  // Everything else that was read is deleted with the contents: elements
  // not yet on the canvas join it, and every object is made this diagram's,
  // so that an owner deleted first takes its components off the list.
  m_objects += elements;
  for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = m_objects.GetNext(pos);
    if (object->GetDiagram() != this) object->SetDiagram(this);
  }
  elements.RemoveAll();
  DeleteContents();
}

void CDiagram::DeleteAllOf(CDrawList& objects) {
  CDrawList first(kCopyBlockSize);
  first.AddTail(objects);
  ExcludeComponentsOfSource(objects, first);
  const CObList& entries = first;
  // The objects go from the head, which the list finds without its index:
  // no entry is erased per object. A search for one further in (an owner
  // taking its components, an entry already gone) builds the index again,
  // once.
  objects.DropIndex();
  for (POSITION pos = entries.GetHeadPosition(); pos;) {
    // An owner destroys its components, and an object may take others
    // with it: only what the list still holds is alive, so an entry is
    // looked at as a diagram object only once the list vouches for it.
    // Arcs go last.
    const CObject* entry = entries.GetNext(pos);
    if (!objects.Find(entry)) continue;
    CDrawObj* object = static_cast<CDrawObj*>(const_cast<CObject*>(entry));
    if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) continue;
    delete object;
    // An object that did not leave the list by itself (a damaged stream
    // attached it to another diagram) is taken off here, so that it is not
    // deleted again; its entry is only compared, never followed.
    if (POSITION stale = objects.Find(entry)) objects.RemoveAt(stale);
  }
  const CObList& remaining = objects;
  while (!objects.IsEmpty()) {
    CDrawObj* object = objects.GetHead();
    delete object;
    // The same for what is left.
    if (!objects.IsEmpty() && remaining.GetHead() == object) objects.RemoveHead();
  }
}

void CDiagram::DeleteContents() {
  if (m_objects.IsEmpty() && m_trash.IsEmpty() && m_quadTree.IsEmpty() && !m_pBlockFormat) return;
  if (m_pDocument) UpdateDiagramViews(nullptr, CDrawHint::contentsCleared, nullptr);
  BeginDynamicRouteChanges();
  m_bDeletingContents = true;
  // The tree lets go of every object at once, so that no object leaves it
  // node by node as it goes.
  m_quadTree.ClearTree();
  DeleteAllOf(m_trash);
  DeleteAllOf(m_objects);
  m_bDeletingContents = false;
  m_rcExtent.SetRectEmpty();
  m_size = CSize(0, 0);
  // Deleted through its base: the format is a CObject.
  CObject* format = m_pBlockFormat;
  delete format;
  m_pBlockFormat = nullptr;
  EndDynamicRouteChanges();
}
