// Reads arbitrary bytes as a dBase (.dbf) table, as a data source's load
// does: the file opened for reading, its fields, and every record with its
// deletion flag. A file that opens is then opened for appending and given
// one record of nulls, and must read again with one record more. Then its
// first record's values are appended again, and once more each with the
// input's last byte added: an append either goes in (one record more) or is
// refused with the state of a value that does not fit (22001, 22018, 22003,
// 22007, or HY000 for one the file library refuses) and leaves the file's
// bytes as they were. Nothing may crash, overflow or
// run away with the record count the header claims (the sanitizers and the
// time limit check).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Appends `values`; aborts when the append breaks its contract.
void AppendChecked(const std::string& path, const std::vector<platform::odbc::DbaseValue>& values) {
  const int before = ReadAll(path);
  const std::string bytes = Bytes(path);
  std::string state, error;
  bool appended = false;
  {
    std::unique_ptr<platform::odbc::DbaseFile> file = platform::odbc::DbaseFile::Open(path, true);
    if (!file) std::abort();
    appended = file->AppendRecord(values, state, error);
    std::string closing;
    if (!file->Close(false, closing)) std::abort();  // nothing here fails to write
  }
  if (appended) {
    if (ReadAll(path) != before + 1) std::abort();
    return;
  }
  if (state != "22001" && state != "22018" && state != "22003" && state != "22007" && state != "HY000") std::abort();
  if (error.empty() || Bytes(path) != bytes) std::abort();
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
    if (before > 0 && fieldCount > 0) {
      std::vector<platform::odbc::DbaseValue> values;
      {
        std::unique_ptr<platform::odbc::DbaseFile> reader = platform::odbc::DbaseFile::Open(path, false);
        if (!reader) std::abort();
        values = reader->ReadRecord(0);
      }
      AppendChecked(path, values);
      for (auto& v : values) {
        v.null = false;
        v.text += static_cast<char>(data[size - 1]);
      }
      AppendChecked(path, values);
    }
  }
  ::unlink(path.c_str());
  return 0;
}
