// CPrinterSetupInfo: the page set-up of one diagram as a page-set-up change
// carries it (and as its undo record keeps it).
#pragma once

#include "platform/core/Geometry.h"

class CPrinterSetupInfo {
 public:
  CPrinterSetupInfo(short orientation, short paperSize, CSize pageSize, CSize maxPages)
      : m_shOrientation(orientation), m_shPaperSize(paperSize), m_pageSize(pageSize), m_maxPages(maxPages) {}

  bool operator==(const CPrinterSetupInfo&) const = default;

  short m_shOrientation;
  short m_shPaperSize;
  CSize m_pageSize;
  // The largest canvas in pages, across and down.
  CSize m_maxPages;
};
