// Reading back what the PDF printer wrote, for the printing tests.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/testsupport/FileBytes.h"

namespace pdf_test {

using testsupport::ReadFileBytes;

// The page count of a PDF as its page tree states it; -1 when it states none.
inline int PageCount(const std::string& pdf) {
  const size_t tree = pdf.find("/Type /Pages");
  if (tree == std::string::npos) return -1;
  const size_t count = pdf.find("/Count ", tree);
  if (count == std::string::npos) return -1;
  return std::atoi(pdf.c_str() + count + 7);
}

// The page count of a PDF file.
inline int FilePageCount(const std::string& path) { return PageCount(ReadFileBytes(path)); }

}  // namespace pdf_test
