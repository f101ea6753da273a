// The commands that build a table inside closed regions of the drawing with
// Quorvel's table-in-region dialog.
//
// CRegionTableCmd finds the regions itself: each click runs the view's
// boundary search round the point; a region found is kept (its boundary
// registered with the view and shown highlighted) with its point. The right
// button (or the tenth region at once) opens the dialog; on OK the view's
// builder turns the dialog's text and words into a table over the regions
// in click order, which is laid out in them and added as one undo record.
// A click that finds no region discards the regions picked so far. The
// text-fill command derives from it and reuses its members.
//
// CRegionTableInsertCmd lets the view collect the regions (the view's
// region display) and asks the view for the table-in-region object.
#pragma once

#include "draft/framework/CmdBase.h"
#include "draft/host/EntityList.h"

class CRegionTableDlg;

class CRegionTableCmd : public CCmdBase {
 public:
  static constexpr int kMaxRegions = 10;

  CRegionTableCmd(int id, CDraftView* view);
  // Destroys the ten lists (they own nothing) and deletes the boundary
  // entities still held.
  ~CRegionTableCmd() override;

  // A click: the region round the point (the point neither snapped nor
  // marked).
  void Execute(CDraftView* view) override;
  // Regions held: the dialog and 0; none: the selection cleared and 1 (the
  // command ends).
  int OnRButton(CDraftView* view) override;
  // Empties the selection without destroying, erases the boundary entities
  // and deletes them; 0.
  int End(CDraftView* view) override;

  // Runs Quorvel's dialog (Quorvel's resources, the main window its parent,
  // the view's modal flag set); the dialog on OK, null on Cancel. The
  // caller frees it with DestroyRegionTableDlg.
  static CRegionTableDlg* RunRegionDialog(CDraftView* view);

  // For tests and hosts.
  int GetRegionCount() const { return regionCount_; }
  const CEntityList& GetBoundaryList() const { return boundary_; }

 protected:
  // Erases and deletes every boundary entity and empties every list.
  void DiscardRegions(CDraftView* view);

  // Members, in order.
  CEntityList boundary_;  // every boundary entity the searches made (owned)
  // Region i's boundary entities (not owned). A subclass may use the first
  // as its own list.
  CEntityList regions_[kMaxRegions];
  int regionCount_ = 0;
  double regionX_[kMaxRegions] = {};
  double regionY_[kMaxRegions] = {};

 private:
  void BuildTable(CDraftView* view);
};

class CRegionTableInsertCmd : public CCmdBase {
 public:
  CRegionTableInsertCmd(int id, CDraftView* view);

  // The selection cleared, the view's region display on and the view
  // redrawn, the display mode 0 (repaints at once).
  int Begin(CDraftView* view) override;
  // A click: the view's region pick at the point.
  void Execute(CDraftView* view) override;
  // No region counted: the display restored and 1. Otherwise the dialog;
  // on OK the view's table-in-region object joins the drawing with one
  // record; the command waits for the next regions (0).
  int OnRButton(CDraftView* view) override;
  // The display restored; 0.
  int End(CDraftView* view) override;

  int GetClickCount() const { return clicks_; }

 private:
  void RestoreDisplay(CDraftView* view);

  int clicks_ = 0;
  int started_ = 0;
  int previousMode_ = 0;
};
