// The work of the tidy command on one centre line or one chain of
// duplicates. A centre-line node (the command's mode 0 or 2) trims or
// extends a centre line to the contour it crosses; a duplicate chain (mode
// 1) holds lines of one carrier, or arcs and circles of one circle, and
// merges them until none overlaps another (CarrierMerge.h says how).
//
// Entities carry the tidy command's scratch mark (CEntity::GetEntityMark):
// 0 free, 1 merged during the current walk, 3 member of a chain. An entity
// without a layer record is never changed; the layer record's line-kind
// code decides which of two overlapping pieces stays (the lower), and 2
// marks a centre line.
#pragma once

#include "draft/edit/CarrierMerge.h"
#include "draft/host/EntityList.h"

class CDraftView;
class CEntity;

class CLineChainNode {
 public:
  static constexpr int kKindLines = 1;
  static constexpr int kKindArcs = 2;

  CLineChainNode(CDraftView* view, int mode, int kind, double extension);
  virtual ~CLineChainNode();
  CLineChainNode(const CLineChainNode&) = delete;
  CLineChainNode& operator=(const CLineChainNode&) = delete;

  // Tidies the line `a` against `partners` (entities other than `a` whose
  // mark is 0): 0 nothing done; 1 a centre line replaced by its piece from
  // the outermost crossing on one side to the outermost on the other, each
  // moved outwards by the extension (`a` into `removed`, the piece into
  // `added`); 2 (duplicate chains) `a` merged with a partner, which is
  // marked 1.
  int TidyLine(const CEntityList& partners, CEntity* a, CEntityList& added, CEntityList& removed);
  // The merge of two parallel lines: 1 with `out` filled, else 0 (not on
  // one carrier, apart, a missing layer record, or nothing to change).
  int MergeOverlappingLines(CEntity* a, CEntity* b, carrier::LineMerge& out);
  void AppendMember(CEntity* entity) { members_.AddTail(entity); }
  // Merges the chain's members until no two merge. The pass's lists get
  // what enters and leaves the drawing: a piece made and merged again in
  // the same chain never reaches the drawing and is deleted.
  void MergeChain(CEntityList& added, CEntityList& removed);
  // TidyLine for arcs and circles of one circle (2 when merged, else 0).
  int TidyArcs(const CEntityList& partners, CEntity* a, CEntityList& added, CEntityList& removed);
  // The merge of two arcs or circles: 1 with `out` filled in the callers'
  // terms (removal 1 is `a`, source 0 is `a`), else 0.
  int MergeOverlappingArcs(CEntity* a, CEntity* b, carrier::ArcMerge& out);

  // With `all` set, every walk of MergeChain tests each member against
  // every other, as the plain algorithm does; by default a member that
  // merged with none is tested afterwards only against the pieces made
  // since, which gives the same merges.
  void SetFullWalk(bool all) { fullWalk_ = all; }

  const CEntityList& GetMembers() const { return members_; }
  int GetKind() const { return kind_; }
  int GetMode() const { return mode_; }

 private:
  bool IsDuplicateChain() const { return mode_ == 1; }
  // The line-kind code of an entity's layer; false without a layer record.
  bool LineKindOf(const CEntity* e, int& code) const;

  CEntityList members_;
  int kind_;
  int mode_;
  double extension_;
  CDraftView* view_;
  bool fullWalk_ = false;
};

// A copy of `source` (its layer, group and owner) that is the line from
// `from` to `to`, given in drawing coordinates.
CEntity* MakeLinePiece(const CEntity* source, const GPoint& from, const GPoint& to);
