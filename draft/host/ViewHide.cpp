// CDraftView: hidden lines. The parts of entities that a closed region hides
// are cut away by the clipping core over a region of loops
// (LoopClipRegion.h); the drawing service's hidden-line pass runs its
// boundary searches here too.
#include <memory>
#include <vector>

#include "draft/host/ClipRegion.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingService.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LoopClipRegion.h"
#include "draft/host/UndoRecord.h"

namespace {
// Whether the entity lies on a layer that hiding leaves alone.
bool OnIgnoredLayer(const CEntity* e, const CLayerTable& layers, int ignoreCentre, int ignoreThin) {
  const CLayerRecord* rec = layers.GetLayerRecord(e->GetEntityLayer());
  if (!rec) return false;
  return (ignoreCentre && rec->GetLineKind() == kLineStyleCenter) ||
         (ignoreThin && rec->GetLineKind() == kLineStyleThin);
}

// Frees the entities of a list when a pass fails half-way.
struct ListGuard {
  CEntityList* list;
  ~ListGuard() {
    if (list)
      while (!list->IsEmpty()) delete list->RemoveHead();
  }
};
}  // namespace

BOOL CDraftView::HideByRegion(const CEntityList& source, const CEntityList& boundary, int ignoreCentre,
                              int ignoreThin, CLayerTable* layers, CUndoRecord* record, int mode,
                              CEntityList& replaced, CEntityList& made, CEntityList& kept) {
  const CLoopClipRegion region(boundary);
  if (region.IsEmpty()) return FALSE;
  const CLayerTable& table = layers ? *layers : layers_;
  CEntityList hid, pieces, clones;
  ListGuard guardPieces{&pieces}, guardClones{&clones};
  for (CEntity* e : source) {
    if (mode == 1 && IsRegistered(e)) continue;
    std::vector<CEntity*> cut;
    ClipOutcome outcome = ClipOutcome::kUnchanged;
    if (!OnIgnoredLayer(e, table, ignoreCentre, ignoreThin)) {
      try {
        outcome = ClipEntity(*e, region, false, cut);
      } catch (...) {
        for (CEntity* p : cut) delete p;
        throw;
      }
    }
    for (CEntity* p : cut) pieces.AddTail(p);
    if (outcome != ClipOutcome::kUnchanged)
      hid.AddTail(e);
    else if (mode == 0)
      clones.AddTail(e->Clone(1));
  }
  const BOOL any = hid.IsEmpty() ? FALSE : TRUE;
  replaced.AddTail(hid);
  made.AddTail(pieces);
  kept.AddTail(clones);
  if (mode == 1 && record && any) record->SetLists(hid, pieces);
  guardPieces.list = guardClones.list = nullptr;
  return any;
}

BOOL CDraftView::FindHiddenCopies(const CEntityList& source, CEntityList& copies, CEntityList& second, double x,
                                  double y, int hideCentre, int hideThin) {
  CEntityList hidden;
  theDrawingService.GetHiddenEntities(this, hidden);
  // The region is found among `source` as a plain search finds it.
  CEntityList loop;
  ListGuard guardLoop{&loop};
  if (!FindPlainBoundary(source, loop, second, x, y, hideCentre, hideThin)) return FALSE;
  CLayerTable* layers = theDrawingService.GetHideLayers();
  CEntityList replaced, made, kept;
  if (copies.IsEmpty()) {
    HideByRegion(hidden, loop, hideCentre, hideThin, layers, nullptr, 0, replaced, made, kept);
    copies.AddTail(made);
    copies.AddTail(kept);
  } else {
    // The copies held so far are cut further; each keeps its place in the
    // list, its pieces in its stead.
    CEntityList current(copies);
    for (CEntity* c : current) {
      CEntityList one, r, m, k;
      one.AddTail(c);
      if (!HideByRegion(one, loop, hideCentre, hideThin, layers, nullptr, 0, r, m, k)) {
        while (!k.IsEmpty()) delete k.RemoveHead();
        continue;
      }
      POSITION at = copies.Find(c);
      for (CEntity* p : m) copies.InsertBefore(at, p);
      copies.RemoveAt(at);
      delete c;
    }
  }
  return TRUE;
}
