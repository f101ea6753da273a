// Reading back what the PDF printer wrote, for the printing tests.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace pdf_test {

// The bytes of a file (empty when it cannot be read).
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The page count of a PDF as its page tree states it; -1 when it states none.
inline int PageCount(const std::string& pdf) {
  const size_t tree = pdf.find("/Type /Pages");
  if (tree == std::string::npos) return -1;
  const size_t count = pdf.find("/Count ", tree);
  if (count == std::string::npos) return -1;
  return std::atoi(pdf.c_str() + count + 7);
}

// The page count of a PDF file.
inline int FilePageCount(const std::string& path) { return PageCount(ReadFile(path)); }

}  // namespace pdf_test
