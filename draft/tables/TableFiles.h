// The table data files: the parts-list data file (.lst, also .tyb and .txt)
// and the table-structure file (.def), each in the text generation 99 (the
// only one written) and the binary generation 98 (still read).
//
// Parts-list data, generation 99: the magic line, the field count, one
// field line per column, then one row text per line. Generation 98: the
// 24 magic bytes, an int32 field count, 40-byte field records, then rows,
// each an int32 length and that many bytes. Structure, generation 99: the
// magic line, then field lines to the end; generation 98: the 20 magic
// bytes, then field records to the end.
//
// Files are written whole: the new contents go to a new file beside the old
// one, which replaces it only when everything was written, so a failed
// write keeps the old file.
#pragma once

#include "draft/tables/FieldRecord.h"
#include "platform/core/String.h"
#include "platform/core/StringArray.h"

class CTableFileText;

inline constexpr char kPartsListMagic99[] = "Wendrix99 明细表数据文件";
inline constexpr char kPartsListMagic98[] = "Wendrix98 明细表数据文件";
inline constexpr char kStructureMagic99[] = "Wendrix99 表结构文件";
inline constexpr char kStructureMagic98[] = "Wendrix98 表结构文件";
inline constexpr char kFileKindMismatch[] = "文件类型不匹配,请重新选择!";
inline constexpr char kBadTableStructure[] = "数据结构错误!";

enum class TableFileRead {
  kRead,        // read as a file of its kind
  kFailed,      // missing, unreadable, or a field line that did not parse
  kWrongKind,   // neither magic
};

// Reads a parts-list data file of either generation into `rows` and
// `fields` (both emptied first). A field line that does not parse fails the
// read with the columns parsed before it kept and no rows; any other failure
// leaves both empty.
// Nothing is shown but the message of a field line that does not parse; a
// file exception is reported through the host's file-failure report.
TableFileRead ReadPartsListFile(const char* path, CStringArray& rows, CFieldArray& fields);

// Writes a generation-99 parts-list data file: `magic`, the count, the
// field lines in their tidied form, then the rows. A failure is reported
// through the host's file-failure report and returns FALSE. A field name or
// row holding a line feed or a Ctrl-Z byte (a generation-98 file can) cannot
// be a text line: "数据结构错误!" is shown, nothing is written and FALSE
// returned.
BOOL WritePartsListFile(const char* path, const char* magic, const CFieldArray& fields, const CStringArray& rows);

// Creates (or empties) a file holding exactly the bytes of `magic`, with
// no line end. A failure is reported and returns FALSE.
BOOL CreateTableFile(const char* path, const char* magic);

// Reads a table-structure file into `fields`: 1 when read; 0 with the
// default structure of `tableKind` for an empty path, a missing file, or a
// generation-98 file that holds only its magic; 0 keeping what was parsed
// when a field line does not parse; 0 with an empty structure (and the
// mismatch message) for a file of neither kind.
int ReadStructureFileFields(CFieldArray& fields, const char* path, int tableKind);
// The structure of either generation that `file` holds, appended to
// `fields`: 1 when read; 0 when a field line does not parse (what was
// parsed kept) or with the default structure of `tableKind` for a
// generation-98 file that holds only its magic; -1 for neither magic.
int ReadStructureFileText(CTableFileText& file, CFieldArray& fields, int tableKind);

// Writes a generation-99 structure file to `path` with its extension made
// "def"; after a successful write the path is stored as the setting
// TableFrameSetting / TableFrameFilePath. A failure (an empty path
// included) is reported, the setting is left alone and FALSE returned; a
// field name that cannot be a text line fails as in WritePartsListFile.
BOOL WriteStructureFileFields(const char* path, const CFieldArray& fields);

// The path with the extension of its last component replaced by `ext`
// (".ext" appended when the last component has no '.').
CStringA ReplaceFileExtension(const CStringA& path, const char* ext);

// The default structure: the rebar schedule for table kind 2, the parts
// list for any other; every column centred.
void FillDefaultStructure(CFieldArray& fields, int tableKind);

// The bytes of a text written through a text stream: every LF becomes CR LF.
std::string TextFileBytes(const CStringA& text);
// Replaces the file with `bytes`; a failure is reported through the host's
// file-failure report and returns FALSE.
BOOL ReplaceTableFile(const char* path, const std::string& bytes);
