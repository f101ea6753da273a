// One undo record of a parts-list grid: what a row or column operation
// changed, so that the owner can put it back. Kinds: 1 row appended, 2 row
// inserted with given cells, 3 blank row inserted, 4 row deleted (its
// cells kept, blank for empty), 6 column inserted, 8 column deleted (its
// cells and field kept), 9 column modified (the field before the change).
// Records are owned by the owner's undo list and freed by the owner.
#pragma once

#include "draft/tables/FieldRecord.h"
#include "platform/core/ObList.h"
#include "platform/core/StringArray.h"
#include "platform/core/TypedPtr.h"

class CPartsListRow {
 public:
  enum Kind {
    kAppendRow = 1,
    kInsertRowWithCells = 2,
    kInsertBlankRow = 3,
    kDeleteRow = 4,
    kInsertColumn = 6,
    kDeleteColumn = 8,
    kModifyColumn = 9,
  };

  CPartsListRow() = default;
  CPartsListRow(int recordKind, int recordRow, int recordColumn) : kind(recordKind), row(recordRow), column(recordColumn) {}
  CPartsListRow(const CPartsListRow&) = delete;
  CPartsListRow& operator=(const CPartsListRow&) = delete;

  int kind = -1;
  int row = -1;
  int column = -1;
  CStringArray cells;
  CFieldRecord field;
};

// The owner's undo list, newest at the tail.
using CPartsListUndo = CTypedPtrList<CPtrList, CPartsListRow*>;
