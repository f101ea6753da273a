// Tressil's string converter for texts read out of a drawing.
#pragma once

#include "platform/core/String.h"

class CStringConverter {
 public:
  // The first conversion: full-width ASCII characters of GBK (0xA3A1 to
  // 0xA3FE) and the full-width space (0xA1A1) become their one-byte forms;
  // everything else is kept.
  void ConvertText(CStringA& text) const;
  // The name of the number column of a parts list: "序号".
  CStringA GetNumberColumnName() const;
  // A line as read from a text file, normalised: blanks, tabs, line ends
  // and Ctrl-Z bytes taken off both ends.
  void NormalizeLine(CStringA& line) const;
};

// The process-wide converter.
const CStringConverter& GetStringConverter();
