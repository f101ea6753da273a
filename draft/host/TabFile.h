// The system's ".Tab" text files: the reader the table dialogs, the equation
// table and the attribute dialog share, and the writer that rewrites one.
//
// A tab file is a text file (GBK, CR LF or LF line ends) of one entry a
// line: empty lines are skipped, a line whose first character is ';' is a
// comment, every other line an entry, each kept whole (no trimming) in file
// order.
#pragma once

#include <vector>

#include "platform/core/String.h"
#include "platform/core/StringArray.h"
#include "platform/core/WinTypes.h"

// Reads the tab file at `path`: the entries empty first, the comments once
// the file is open; then every non-empty line, in file order, into the
// comments (first character ';') or the entries. A file that cannot be
// opened or read is reported (ReportFileException); what was read stays.
void ReadTabFile(const CStringA& path, CStringArrayA& entries, CStringArrayA& comments);

// Writes `lines` as the file at `path` (created when missing), each followed
// by a line end (CR LF, as a text stream writes "\n"). The new file replaces
// the old one only once it is complete, so a failure (a full disk, a folder
// or file that cannot be written) leaves the old file as it was; the failure
// is reported through ReportFileException. TRUE when the file holds the
// lines, FALSE after the report.
BOOL WriteTabFileLines(const CStringA& path, const std::vector<CStringA>& lines);
