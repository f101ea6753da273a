// Reads arbitrary bytes as a dBase (.dbf) table, as a data source's load
// does: the file opened for reading, its fields, and every record with its
// deletion flag. A file that opens is then opened for appending and given
// one record of nulls, and must read again with one record more. Nothing
// may crash, overflow or run away with the record count the header claims
// (the sanitizers and the time limit check).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/odbc/DbaseFile.h"

namespace {

// The file of this process (forked fuzzers run side by side).
std::string FilePath() { return "/tmp/scrivel-fuzz-dbf-" + std::to_string(::getpid()) + ".dbf"; }

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Reads every record; the record count, or -1 when the file does not open.
int ReadAll(const std::string& path) {
  std::unique_ptr<platform::odbc::DbaseFile> file = platform::odbc::DbaseFile::Open(path, false);
  if (!file) return -1;
  const size_t fieldCount = file->Fields().size();
  const int n = file->RecordCount();
  for (int r = 0; r < n; ++r) {
    file->IsDeleted(r);
    if (file->ReadRecord(r).size() != fieldCount) std::abort();
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FilePath();
  WriteFile(path, data, size);
  const int before = ReadAll(path);
  if (before >= 0) {
    std::unique_ptr<platform::odbc::DbaseFile> file = platform::odbc::DbaseFile::Open(path, true);
    if (!file) std::abort();  // it opened for reading a moment ago
    std::string state, error;
    const size_t fieldCount = file->Fields().size();
    const bool appended = file->AppendRecord(std::vector<platform::odbc::DbaseValue>(fieldCount), state, error);
    file.reset();
    if (appended && fieldCount > 0 && ReadAll(path) != before + 1) std::abort();
  }
  ::unlink(path.c_str());
  return 0;
}
