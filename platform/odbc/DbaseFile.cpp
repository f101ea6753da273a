#include "platform/odbc/DbaseFile.h"

#include <shapefil.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core/Charset.h"
#include "platform/core/NumberText.h"
#include "platform/core/PosixFile.h"
#include "platform/odbc/DbaseFileIo.h"

namespace platform::odbc {

namespace {

DBFHandle H(void* h) { return static_cast<DBFHandle>(h); }

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

std::string TrimBoth(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

// A date's digits ("2020-01-02" -> "20200102"), as the file holds it.
std::string DateDigits(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

bool HasDbfExtension(const std::string& path) {
  if (path.size() < 4) return false;
  std::string e = path.substr(path.size() - 4);
  for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return e == ".dbf";
}

}  // namespace

std::string DbaseSqlType(const DbaseField& f) {
  switch (f.type) {
    case 'N':
      if (f.decimals == 0 && f.width <= 11) return "Integer";
      return "Numeric(" + std::to_string(f.width) + "," + std::to_string(f.decimals) + ")";
    case 'F':
      return "Double";
    case 'D':
      return "Date";
    case 'L':
      return "Bit";
    default:
      return "Char(" + std::to_string(f.width) + ")";
  }
}

std::string CutDbaseFieldName(const std::string& name) {
  constexpr size_t kMax = 10;
  if (name.size() <= kMax) return name;
  size_t i = 0;
  while (i < name.size()) {
    size_t step = (IsGbkLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) ? 2 : 1;
    if (i + step > kMax) break;
    i += step;
  }
  return name.substr(0, i);
}

DbaseFile::DbaseFile(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {
  WatchDbaseFileErrors(H(handle_), &writeError_);
}

DbaseFile::~DbaseFile() {
  std::string error;
  Close(false, error);
}

bool DbaseFile::Close(bool flush, std::string& error) {
  if (handle_) {
    DBFHandle h = H(handle_);
    handle_ = nullptr;
    if (flush) {
      DBFUpdateHeader(h);
      if (writeError_ == 0 && SyncCall(DbaseFileDescriptor(h)) != 0) writeError_ = errno;
    }
    DBFClose(h);
    if ((writeError_ != 0 || refused_) && original_) PutBackOriginal();
  }
  if (writeError_ == 0) return true;
  error = "cannot write " + path_ + ": " + std::strerror(writeError_);
  return false;
}

void DbaseFile::KeepOriginal() {
  if (original_) return;
  const int fd = DbaseFileDescriptor(H(handle_));
  struct stat st;
  if (::fstat(fd, &st) != 0) return;
  const long long dataEnd = static_cast<long long>(H(handle_)->nHeaderLength) +
                            static_cast<long long>(H(handle_)->nRecords) * H(handle_)->nRecordLength;
  originalSize_ = st.st_size;
  originalHeader_.assign(static_cast<size_t>(std::min<long long>(32, st.st_size)), '\0');
  originalTail_.assign(static_cast<size_t>(std::max<long long>(0, st.st_size - dataEnd)), '\0');
  original_ = ::pread(fd, originalHeader_.data(), originalHeader_.size(), 0) ==
                  static_cast<ssize_t>(originalHeader_.size()) &&
              ::pread(fd, originalTail_.data(), originalTail_.size(), dataEnd) ==
                  static_cast<ssize_t>(originalTail_.size());
}

// The clean-up of a failed append: the file cut back to its size and its
// header and end bytes written back. These writes take no new room on the
// disk, so they go through even when it is full.
void DbaseFile::PutBackOriginal() const {
  FileDescriptor file(::open(path_.c_str(), O_WRONLY | O_CLOEXEC));
  if (file.get() < 0) return;
  const long long tailAt = originalSize_ - static_cast<long long>(originalTail_.size());
  if (::ftruncate(file.get(), static_cast<off_t>(originalSize_)) != 0) return;
  if (::pwrite(file.get(), originalHeader_.data(), originalHeader_.size(), 0) < 0) return;
  [[maybe_unused]] const ssize_t tail =
      ::pwrite(file.get(), originalTail_.data(), originalTail_.size(), static_cast<off_t>(tailAt));
}

std::unique_ptr<DbaseFile> DbaseFile::Open(const std::string& path, bool write) {
  // shapelib puts ".dbf" in place of any extension: only a .dbf file that
  // is there is opened, never a neighbour of another name.
  struct stat st;
  if (!HasDbfExtension(path) || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  DBFHandle h = DBFOpenLL(path.c_str(), write ? "rb+" : "rb", DbaseFileHooks());
  if (!h) return nullptr;
  std::unique_ptr<DbaseFile> f(new DbaseFile(h, path));
  // A header that claims more records than the file holds is damage (a
  // cut file, or a count that is not one): every record past the end would
  // read as blanks, and a reader would walk millions of them. The size is
  // the opened file's, taken after its header was read: a writer appends a
  // record before it counts it, so a file that grew since the path was
  // looked at is not taken for a cut one.
  struct stat opened;
  if (::fstat(DbaseFileDescriptor(h), &opened) != 0) return nullptr;
  const long long needed =
      static_cast<long long>(h->nHeaderLength) + static_cast<long long>(h->nRecords) * h->nRecordLength;
  if (h->nRecords < 0 || h->nRecordLength <= 0 || needed > static_cast<long long>(opened.st_size)) return nullptr;
  f->ReadFields();
  return f;
}

std::unique_ptr<DbaseFile> DbaseFile::Create(const std::string& path, const std::vector<DbaseField>& fields,
                                             std::string& error) {
  // Code page 936 (GBK) in the header's language-driver byte.
  if (!HasDbfExtension(path)) {
    error = "a dBase file name must end in .dbf: " + path;
    return nullptr;
  }
  DBFHandle h = DBFCreateLL(path.c_str(), "LDID/122", DbaseFileHooks());
  if (!h) {
    error = "cannot create the dBase file " + path;
    return nullptr;
  }
  std::unique_ptr<DbaseFile> f(new DbaseFile(h, path));
  for (const DbaseField& field : fields) {
    std::string name = CutDbaseFieldName(field.name);
    if (DBFAddNativeFieldType(h, name.c_str(), field.type, field.width, field.decimals) < 0) {
      error = "cannot add the field " + GbkToUtf8(name) + " to the dBase file";
      f.reset();
      std::remove(path.c_str());
      return nullptr;
    }
  }
  f->ReadFields();
  return f;
}

void DbaseFile::ReadFields() {
  fields_.clear();
  int n = DBFGetFieldCount(H(handle_));
  for (int i = 0; i < n; ++i) {
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    int width = 0, decimals = 0;
    DBFGetFieldInfo(H(handle_), i, name, &width, &decimals);
    DbaseField f;
    f.name = name;
    f.type = DBFGetNativeFieldType(H(handle_), i);
    f.width = width;
    f.decimals = decimals;
    fields_.push_back(f);
  }
}

int DbaseFile::RecordCount() const { return DBFGetRecordCount(H(handle_)); }

bool DbaseFile::IsDeleted(int record) const { return DBFIsRecordDeleted(H(handle_), record) != 0; }

std::vector<DbaseValue> DbaseFile::ReadRecord(int record) const {
  std::vector<DbaseValue> values(fields_.size());
  for (size_t i = 0; i < fields_.size(); ++i) {
    const DbaseField& f = fields_[i];
    const char* raw = DBFReadStringAttribute(H(handle_), record, static_cast<int>(i));
    std::string text = raw ? TrimRight(raw) : std::string();
    DbaseValue& v = values[i];
    if (f.type == 'C') {
      v.null = false;
      v.text = text;
      continue;
    }
    text = TrimBoth(text);
    if (text.empty() || text.find('*') != std::string::npos) continue;  // null
    v.null = false;
    if (f.type == 'D') {
      if (text.find_first_not_of('0') == std::string::npos) {  // a null date is written as zeros
        v.null = true;
        continue;
      }
      if (text.size() == 8) text = text.substr(0, 4) + "-" + text.substr(4, 2) + "-" + text.substr(6, 2);
    } else if (f.type == 'L') {
      char c = text[0];
      if (c == '?') {
        v.null = true;
        continue;
      }
      text = (c == 'T' || c == 't' || c == 'Y' || c == 'y') ? "1" : "0";
    }
    v.text = text;
  }
  return values;
}

bool DbaseFile::CheckRecord(const std::vector<DbaseValue>& values, std::string& state, std::string& error) const {
  std::vector<double> numbers;
  return CheckValues(values, numbers, state, error);
}

bool DbaseFile::CheckValues(const std::vector<DbaseValue>& values, std::vector<double>& numbers, std::string& state,
                            std::string& error) const {
  numbers.assign(fields_.size(), 0.0);
  for (size_t i = 0; i < fields_.size() && i < values.size(); ++i) {
    const DbaseField& f = fields_[i];
    const DbaseValue& v = values[i];
    if (v.null) continue;
    const bool text = f.type == '\0' || !std::strchr("NFDL", f.type);  // character, memo, anything else
    if (text && static_cast<int>(v.text.size()) > f.width) {
      state = "22001";
      error = "String data, right truncated: a value of " + std::to_string(v.text.size()) +
              " bytes does not fit the field " + GbkToUtf8(f.name) + " of " + std::to_string(f.width) + " bytes";
      return false;
    }
    if ((f.type == 'N' || f.type == 'F') && !platform::ParseNumber(v.text.c_str(), numbers[i])) {
      state = "22018";
      error = "Invalid character value for cast: '" + GbkToUtf8(v.text) + "' in the field " + GbkToUtf8(f.name);
      return false;
    }
    if (f.type == 'D' && static_cast<int>(DateDigits(v.text).size()) > f.width) {
      state = "22007";
      error = "Invalid datetime format: '" + GbkToUtf8(v.text) + "' in the field " + GbkToUtf8(f.name);
      return false;
    }
    if ((f.type == 'N' || f.type == 'F')) {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.*f", f.decimals, numbers[i]);
      if (static_cast<int>(std::strlen(buffer)) > f.width) {
        state = "22003";
        error = "Numeric value out of range: " + std::string(buffer) + " in the field " + GbkToUtf8(f.name);
        return false;
      }
    }
  }
  return true;
}

bool DbaseFile::AppendRecord(const std::vector<DbaseValue>& values, std::string& state, std::string& error) {
  DBFHandle h = H(handle_);
  // Every value is checked before anything is written, so a refused record
  // leaves the file as it was.
  std::vector<double> numbers;
  if (!CheckValues(values, numbers, state, error)) return false;
  KeepOriginal();
  int record = DBFGetRecordCount(h);
  for (size_t i = 0; i < fields_.size(); ++i) {
    const DbaseField& f = fields_[i];
    int field = static_cast<int>(i);
    bool null = i >= values.size() || values[i].null;
    bool ok = true;
    if (null) {
      ok = DBFWriteNULLAttribute(h, record, field);
    } else if (f.type == 'N' || f.type == 'F') {
      ok = DBFWriteDoubleAttribute(h, record, field, numbers[i]);
    } else if (f.type == 'D') {
      // The digits as they stand: shapelib's text writer would take a date
      // field's value for a number.
      std::string digits = DateDigits(values[i].text);
      ok = DBFWriteAttributeDirectly(h, record, field, digits.data());
    } else if (f.type == 'L') {
      const std::string& t = values[i].text;
      bool yes = !t.empty() && t != "0" && t[0] != 'F' && t[0] != 'f' && t[0] != 'N' && t[0] != 'n';
      ok = DBFWriteLogicalAttribute(h, record, field, yes ? 'T' : 'F');
    } else {
      ok = DBFWriteStringAttribute(h, record, field, values[i].text.c_str());
    }
    if (!ok) {
      // The record written so far goes again when the file is closed.
      refused_ = true;
      state = "HY000";
      error = "cannot write the field " + GbkToUtf8(f.name) + " of the dBase file";
      return false;
    }
  }
  DBFUpdateHeader(h);
  if (writeError_ != 0) {
    state = "HY000";
    error = "cannot write " + path_ + ": " + std::strerror(writeError_);
    return false;
  }
  return true;
}

}  // namespace platform::odbc
