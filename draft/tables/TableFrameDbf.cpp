// CTableFrameDlg: the structure as a dBase table.
#include "draft/tables/TableFrameDlg.h"
#include "platform/core/Exceptions.h"

BOOL CTableFrameDlg::LoadDbfStructure(const CStringA&) {
  throw CNotSupportedException();  // reading a dBase table's columns needs the data-source layer
}

BOOL CTableFrameDlg::SaveDbfStructure(const CStringA&) {
  throw CNotSupportedException();  // creating a dBase table needs the data-source layer
}
