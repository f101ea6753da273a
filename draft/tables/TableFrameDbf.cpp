// CTableFrameDlg: the structure as a dBase table, through the parts-list
// grid's data-source layer on a grid of its own (no window needed).
#include "draft/tables/PartsListCtrl.h"
#include "draft/tables/TableFrameDlg.h"

BOOL CTableFrameDlg::LoadDbfStructure(const CStringA& path) {
  CPartsListCtrl reader;
  CFieldArray fields;
  if (!reader.ReadDbfStructure(path, fields)) return FALSE;
  if (structure_) structure_->Copy(fields);
  return TRUE;
}

BOOL CTableFrameDlg::SaveDbfStructure(const CStringA& path) {
  CPartsListCtrl writer;
  CFieldArray scratch;
  return writer.CreateTableFromStructure(path, structure_ ? *structure_ : scratch, 2);
}
