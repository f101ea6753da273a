// A dBase (.dbf) table file, read and written through shapelib. Field names
// and character values are the file's own bytes (GBK); numbers, dates and
// logicals are given and taken as text in the forms SQL uses ("12.50",
// "2020-01-02", "1"/"0"). Paths are the system's (UTF-8).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform::odbc {

struct DbaseField {
  std::string name;
  char type = 'C';  // 'C' character, 'N' number, 'F' float, 'D' date, 'L' logical
  int width = 1;
  int decimals = 0;
};

// A value of a record: null, or its text.
struct DbaseValue {
  bool null = true;
  std::string text;
};

class DbaseFile {
 public:
  DbaseFile(const DbaseFile&) = delete;
  DbaseFile& operator=(const DbaseFile&) = delete;
  ~DbaseFile();

  // An existing file, for reading (and appending when `write`); null when
  // it cannot be opened as a dBase file, its header claims more records
  // than the file holds, or its name does not end in ".dbf".
  static std::unique_ptr<DbaseFile> Open(const std::string& path, bool write);
  // A new empty file with these fields, replacing any file there. Names
  // longer than the format's 10 bytes are cut at a GBK character boundary.
  // Null, with `error` set, when the file or a field cannot be made.
  static std::unique_ptr<DbaseFile> Create(const std::string& path, const std::vector<DbaseField>& fields,
                                           std::string& error);

  const std::vector<DbaseField>& Fields() const { return fields_; }
  int RecordCount() const;
  bool IsDeleted(int record) const;
  // The values of one record; character values keep their bytes, with
  // trailing blanks removed.
  std::vector<DbaseValue> ReadRecord(int record) const;
  // Appends a record (one value per field). A character value longer than
  // its field, or a number that is not one or does not fit its field,
  // writes nothing and returns false with `error` (an ODBC state and a
  // message) set.
  // A record that cannot be written (the disk full or failing, or a value
  // its field refuses on the way) returns false with state HY000; the file
  // is put back as it was when it is closed.
  bool AppendRecord(const std::vector<DbaseValue>& values, std::string& state, std::string& error);

  // Writes what is pending (with `flush`, to the disk) and closes the file.
  // False, with `error` set, when a write, flush or close of the file failed
  // since it was opened; a file opened to append to is then cut back to the
  // bytes it had when opened. The destructor closes an open file the same
  // way.
  bool Close(bool flush, std::string& error);

 private:
  DbaseFile(void* handle, std::string path);
  void ReadFields();
  void KeepOriginal();
  void PutBackOriginal() const;

  void* handle_;
  std::string path_;
  std::vector<DbaseField> fields_;
  // The first error (errno) of a write, flush or close of the file.
  int writeError_ = 0;
  // A record was refused part-way.
  bool refused_ = false;
  // What an append changes in a file that was there: its size, its
  // 32-byte header, and the bytes after its last record (the end mark).
  bool original_ = false;
  long long originalSize_ = 0;
  std::string originalHeader_;
  std::string originalTail_;
};

// The field name cut to the format's 10 bytes without splitting a GBK
// character.
std::string CutDbaseFieldName(const std::string& name);

}  // namespace platform::odbc
