// Korrin's compound entity (block): it owns its members, each of which
// names the block as its owner. Transforms, picking and snapping act on the
// members.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "draft/host/Entity.h"

// A piece record of a block: how one of its members splits, seven values:
// [0] the member's handle (GetHandle); [1] [2] and [3] [4] the two ends of
// the stretch cut out of it (drawing coordinates; each is taken to the
// nearest point of the member); [5] the layer of a piece kept for the
// stretch itself (-1: the stretch is dropped); [6] the layer of the pieces
// left on either side (-1: the member's own). Lines, arcs and circles split;
// a record of another kind, or of no member, splits nothing.
using PieceRecord = std::array<double, 7>;

class CBlockEntity : public CEntity {
 public:
  CBlockEntity(int layer, CDrawingGroup* group);
  ~CBlockEntity() override;

  BOOL IsBlock() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;
  // A copy whose text members, at any depth, take the attributes; null when
  // the block holds no text.
  CEntity* CloneWithTextAttrib(const CTextAttrib& attr) const override;
  // No defining values of its own: 0.
  int GetGeometry(double* values) const override;
  // Takes ownership of a member that belongs to no other block; FALSE (and
  // nothing taken) for null, itself, or a member owned elsewhere.
  BOOL AddMember(CEntity* member) override;
  EntityKind GetKind() const override { return EntityKind::kBlock; }
  void GetPieces(ShapePieces& out) const override;
  void GetShownShape(ShapePieces& out, ShownTexts& texts) const override;
  double GetLength() const override;
  void ListInto(CEntityList& out) const override;
  // Appends a segment from (x1, y1) to (x2, y2), drawing coordinates, as a
  // line member on the block's layer and in its group. The flag is the
  // call's form (callers pass 1). FALSE when the line cannot be added.
  virtual BOOL AddCurveSegment(double x1, double y1, double x2, double y2, int flag);
  int ExplodeInto(int flag, CEntityList& out, int, int, int) const override;
  // True when the block's own layer or a member's (at any depth) is `layer`.
  BOOL IsOnLayer(int layer) const override;
  // Moves the block and each member, at any depth, that lies on `oldLayer`.
  void ReplaceLayer(int oldLayer, int newLayer) override;

  int GetMemberCount() const { return static_cast<int>(members_.size()); }
  CEntity* GetMember(int i) const { return members_.at(static_cast<size_t>(i)).get(); }
  // Takes a member out of the block and hands it to the caller (its owner
  // cleared); FALSE when it is not a direct member.
  BOOL RemoveBlockMember(CEntity* member);
  // The place of a direct member, -1 when it is not one.
  int FindMember(const CEntity* member) const;
  // Takes a direct member out and hands it to the caller, leaving it naming
  // the block as its owner (the view keeps membership this way while a
  // member is out of the drawing); its place, or -1 when not a member.
  int DetachMember(CEntity* member);
  // Takes ownership of `member` at `place` (clamped; -1: last); FALSE when
  // it names another owner or is listed already.
  BOOL InsertMember(CEntity* member, int place);
  // The first text member, nested blocks searched depth first; null if none.
  CEntity* FindFirstTextMember() const;

  // The block's piece records, in the order they were added (a copy of the
  // block has none: they name members by handle).
  const std::vector<PieceRecord>& GetPieceRecords() const { return pieces_; }
  void AddPieceRecord(const PieceRecord& record) { pieces_.push_back(record); }
  void ClearPieceRecords() { pieces_.clear(); }
  // The split operation of one record (BlockPieces.cpp): appends the direct
  // member it names to `removed` and new pieces (the caller's, no owner, in
  // the member's group) to `added`, along the member from its start; the
  // block does not change. FALSE, nothing appended, when the record splits
  // nothing (no such member, a kind that does not split, a stretch that
  // leaves the member whole).
  BOOL SplitByPieceRecord(const PieceRecord& record, CEntityList& removed, CEntityList& added) const;

 protected:
  CBlockEntity(const CBlockEntity& other);
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  std::vector<std::unique_ptr<CEntity>> members_;
  std::vector<PieceRecord> pieces_;
};

CBlockEntity* ConstructBlockEntity(int layer, CDrawingGroup* group);
