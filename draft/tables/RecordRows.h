// The records of a parts-list data file as an ordered array of row texts,
// and the record operations over them: records built from the attributes of
// the drawing's entities, found by number or by number text, and added,
// inserted or deleted for a range of numbers or a list of number values.
//
// A record takes the entity of its place in the range or value list; when
// the entity list is used up the last entity serves again, and with no
// entity every attribute cell is blank. A cell takes the entity's attribute
// of the field's cleaned name ("零件名称" and "名称" stand in for each other
// when the entity lacks one of them); in the column "数量" a value that is
// no number above 0, or is 32, becomes "1". Row texts follow the table
// files' rules (RowText.h), so a ';' inside an attribute survives the file.
//
// The number of a row is the integer value of its number cell (0 for a text
// that is no integer); renumbering touches only rows whose number cell is a
// whole number (IsNumericString).
#pragma once

#include <vector>

#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CEntity;

// The value of the entity's attribute named `name`, with "零件名称" and
// "名称" standing in for each other; empty when there is none.
CStringA GetRecordAttribute(const CEntity* entity, const CStringA& name);
// A quantity cell as a record holds it: "1" for a value that is not above 0
// or is 32, else the value.
CStringA RecordQuantity(const CStringA& value);

class CRecordRows {
 public:
  // `rows` is worked on in place; `numberColumn` is the index of the number
  // column among the fields.
  CRecordRows(CStringArray& rows, const CFieldArray& fields, int numberColumn, std::vector<const CEntity*> entities);

  // The entity of the record at `index` of the range or value list.
  const CEntity* EntityAt(int index) const;
  // The cells of a record with `number` in the number column.
  void BuildRecordCells(const CStringA& number, const CEntity* entity, CStringArray& cells) const;
  CStringA BuildRecordText(int number, const CEntity* entity) const;
  CStringA BuildRecordTextForValue(const CStringA& value, const CEntity* entity) const;

  // The first row whose number is greater than n (how 1), at least n (2),
  // equal to n (3); -1 when none.
  int FindRecordByNumber(int n, int how) const;
  // The same comparing the number cell with the value as text, byte by byte.
  int FindRecordByValue(const CStringA& value, int how) const;
  int GetNumber(int row) const;
  BOOL IsNumbered(int row) const;
  void SetNumber(int row, int number);

  // One record per number from first to last appended.
  void AppendNumbers(int first, int last);
  // New records for first to last go in before the first row numbered at
  // least `first`, and the numbered rows after them are renumbered so that
  // the numbers stay unique. FALSE (nothing changed) when no row has a
  // number of the range.
  BOOL InsertNumbers(int first, int last);
  // The rows numbered first to last go; the numbered rows from the place of
  // the last removal on are numbered first, first + 1, ... TRUE when a row
  // was removed.
  BOOL DeleteNumbers(int first, int last);
  // A record for each missing number goes in before the first row numbered
  // above it; a row that has the number gets its empty cells filled from
  // its entity. TRUE when anything changed.
  BOOL AddNumbers(int first, int last);
  // One record per value appended, in order.
  void AppendValues(const CStringArray& values);
  // For each value the first row whose number cell equals it goes; the
  // other rows keep their numbers.
  void DeleteValues(const CStringArray& values);

 private:
  CStringA NumberCell(int row) const;

  CStringArray& rows_;
  const CFieldArray& fields_;
  int numberColumn_;
  std::vector<const CEntity*> entities_;
};
