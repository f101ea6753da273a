// The tendon coordinate-table files (.zbb): the direction of the stations,
// a file flag, the columns and the row texts of a coordinate table. Two
// generations are read: the text generation (first line "wendrix99
// 钢束坐标表文件", then a line each for the direction, the file flag and the
// column count, the column lines, and a row text a line) and the binary one
// (the 24 bytes "wendrix98 钢束坐标表文件", int32 direction, file flag and
// column count, the 40-byte column records, then the rows as int32 length
// and bytes). The file is read as bytes, so that the binary generation's
// bytes stay as written and the text generation's lines may end in CR LF or
// LF alike. Files are written in the text generation.
#pragma once

#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

inline constexpr const char* kTendonFileMagic99 = "wendrix99 钢束坐标表文件";
inline constexpr const char* kTendonFileMagic98 = "wendrix98 钢束坐标表文件";

struct TendonTableData {
  int direction = 0;
  int fileFlag = 1;
  CFieldArray fields;
  CStringArray rows;
};

enum class TendonFileRead {
  kRead,       // what the file holds, or as much of it as it holds whole
  kWrongType,  // neither generation
  kFailed,     // not readable (reported), or a column line that does not parse
};

// Reads the file into `data` (emptied first). A binary file cut short keeps
// what was read before the cut; a text file whose column line does not
// parse loads nothing.
TendonFileRead ReadTendonFile(const char* path, TendonTableData& data);

// Writes `data` in the text generation beside the file and renames it over
// the file, so that a failed write (reported) leaves the file as it was.
BOOL WriteTendonFile(const char* path, const TendonTableData& data);
