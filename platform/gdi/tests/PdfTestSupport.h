// Reading back what the PDF printer wrote, for the printing tests.
#pragma once

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// The inflated contents of every compressed stream of a PDF, in file order
// (a page's drawing operators are among them).
inline std::vector<std::string> InflatedStreams(const std::string& pdf) {
  std::vector<std::string> out;
  for (size_t at = pdf.find("stream\n"); at != std::string::npos; at = pdf.find("stream\n", at + 1)) {
    if (at >= 3 && pdf.compare(at - 3, 3, "end") == 0) continue;
    const size_t begin = at + 7;
    const size_t end = pdf.find("endstream", begin);
    if (end == std::string::npos) break;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) break;
    std::string text;
    char buffer[4096];
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(pdf.data() + begin));
    z.avail_in = static_cast<uInt>(end - begin);
    int result = Z_OK;
    while (result == Z_OK) {
      z.next_out = reinterpret_cast<Bytef*>(buffer);
      z.avail_out = sizeof buffer;
      result = inflate(&z, Z_NO_FLUSH);
      text.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    if (result == Z_STREAM_END) out.push_back(text);
  }
  return out;
}

// The page count of a PDF file.
inline int FilePageCount(const std::string& path) { return PageCount(ReadFileBytes(path)); }

}  // namespace pdf_test
