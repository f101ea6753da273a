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
  bool AppendRecord(const std::vector<DbaseValue>& values, std::string& state, std::string& error);
  // The checks of AppendRecord alone: true when the record would be taken.
  bool CheckRecord(const std::vector<DbaseValue>& values, std::string& state, std::string& error) const;

 private:
  // Checks every value; the numbers of number fields go to `numbers`.
  bool CheckValues(const std::vector<DbaseValue>& values, std::vector<double>& numbers, std::string& state,
                   std::string& error) const;
  explicit DbaseFile(void* handle);
  void ReadFields();

  void* handle_;
  std::vector<DbaseField> fields_;
};

// The SQL column type a field is given as: Char(n), Numeric(p,s), Integer
// (N with no decimals and at most 11 digits), Double, Date or Bit.
std::string DbaseSqlType(const DbaseField& field);

// The field name cut to the format's 10 bytes without splitting a GBK
// character.
std::string CutDbaseFieldName(const std::string& name);

}  // namespace platform::odbc
