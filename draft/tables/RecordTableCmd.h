// The record table command: the records of the caller's range of part
// numbers (or list of number values) in the record-information dialog,
// then the parts list it makes placed as CPlaceTableCmd places any table.
// The caller hands over the entity changes it has already made (old and new
// entity lists); they become one undo step with the placed table, or with
// the drawing's parts list that the dialog updated in place. A cancelled
// dialog, or one that makes no table, starts nothing.
#pragma once

#include "draft/host/EntityList.h"
#include "draft/tables/PlaceTableCmd.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CRecordTableCmd : public CPlaceTableCmd {
 public:
  // The numeric form: the numbers first to last.
  CRecordTableCmd(int first, int last, int mode, int extra, const CEntityList* entities, const char* path, int id,
                  CEntityList* oldEntities, CEntityList* newEntities);
  // The string form: the number values.
  CRecordTableCmd(const CStringArray& values, int mode, const CEntityList* entities, const char* path, int id,
                  CEntityList* oldEntities, CEntityList* newEntities);
  ~CRecordTableCmd() override;

  int Begin(CDraftView* view) override;
  // The string form's Begin.
  virtual int BeginWithValues(CDraftView* view);

  int IsNumericForm() const { return numeric_; }

 private:
  // Arms the placement for the dialog's table (0 without one).
  int TakeTable(CDraftView* view, CTableEntity* table, bool byLayout);
  // Keeps of the entities handed over those the view still lists and that
  // are the drawing's: the commands that the push ended before this one
  // began may have freed their own (registered) entities that were
  // selected when it was made. Found by address alone, so a freed one is
  // never read.
  void KeepDrawingEntities(CDraftView* view);

  int last_ = 0;
  int first_ = 0;
  int mode_;
  CStringA path_;
  int extra_ = 0;
  CEntityList entities_;
  int numeric_;
  CStringArray values_;
};
