// The tidy command: in one of four modes chosen in the drawing-tidy dialog
// (CCenterLineSetDlg) it trims or extends every centre line so that it
// overshoots the contour it crosses by the extension, or merges duplicate
// lines (lines of one carrier, arcs and circles of one circle that overlap
// or meet), over the whole drawing (modes 0 and 1: one pass at the start,
// then the command ends) or over picked entities (modes 2 and 3: each
// click, or window from a click on nothing, is one pass). A pass is one
// undo step, none when it changes nothing, and runs under the view's
// progress display. The candidates are the drawing's lines, circles and
// arcs, blocks opened to their members, collected anew at each pass; the
// work is done by CLineChainNode.
//
// A centre line meets only candidates whose extents meet its own, and a
// duplicate lies on a line's carrier or a circle's circle: partners and
// duplicates are found through indexes (PartnerIndex.h, DuplicateIndex.h),
// in the order a walk of every candidate finds them, so that both give the
// same result (SetUseIndexes(false) walks every candidate, and lets each
// chain test every member against every other at each of its walks).
#pragma once

#include <memory>
#include <vector>

#include "draft/edit/LineChainNode.h"
#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"

class CUndoRecord;

class CTidyCenterLineCmd : public CCmdBase {
 public:
  CTidyCenterLineCmd(int id, CDraftView* view);
  ~CTidyCenterLineCmd() override;

  int Begin(CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

  // Puts a chain's or a pass's changes into the drawing and the record:
  // the removed entities leave the drawing, the new ones enter it and are
  // appended to `added`. Nothing when both lists are empty.
  void ApplyChanges(CDraftView* view, CUndoRecord* record, const CEntityList& made, const CEntityList& removed,
                    CEntityList& added);
  // The drawing's lines, circles and arcs, blocks opened to their members.
  void CollectCandidates(CDraftView* view);
  // A chain node for each entity of `list` with duplicates in it that is in
  // no chain yet, with those duplicates; appended to the chain list.
  void BuildDuplicateChains(CDraftView* view, const CEntityList& list);
  // The entities of `list` that are duplicates of q (lines on its carrier
  // for kind 1, arcs and circles of its circle for kind 2) and in no chain;
  // none when q is in a chain.
  void FindDuplicates(CEntity* q, const CEntityList& list, int kind, CEntityList& out);
  // The entities under the first point, or in the window of the two points.
  void PickEntities(CDraftView* view, CEntityList& out);
  void DrawPickWindow(CDraftView* view);

  void SetUseIndexes(bool use) { useIndexes_ = use; }
  double GetExtension() const { return extension_; }
  int GetMode() const { return mode_; }
  const CEntityList& GetCandidates() const { return candidates_; }
  int GetChainCount() const { return static_cast<int>(chains_.size()); }

 private:
  // The partners of a centre line: the candidates whose extents meet it.
  void PartnersOf(const CEntity* line, CEntityList& out) const;
  // The message of a pass's progress display.
  const char* ProgressMessage() const;

  double extension_ = 0.0;
  int mode_ = 0;
  CEntityList candidates_;
  std::vector<std::unique_ptr<CLineChainNode>> chains_;
  bool useIndexes_ = true;
  // The index of the candidates, built for each pass (with the indexes on).
  std::unique_ptr<class CPartnerIndex> partners_;
  // The list BuildDuplicateChains works on, and its index.
  const CEntityList* duplicateList_ = nullptr;
  std::unique_ptr<class CDuplicateIndex> duplicates_;
  std::vector<CEntity*> duplicateItems_;
};
