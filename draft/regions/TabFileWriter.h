// The writer of the system's ".Tab" text files, the counterpart of
// CAttribInfoDlg::ReadTabFile: the lines, each followed by a line end (CR LF,
// as a text stream writes "\n"), make up the whole new file. The new file
// replaces the old one only once it is complete, so a failure (a full disk,
// a folder or file that cannot be written) leaves the old file as it was;
// the failure is reported through ReportFileException.
#pragma once

#include <vector>

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Writes `lines` as the file at `path` (created when missing); TRUE when
// the file holds them, FALSE after the report.
BOOL WriteTabFileLines(const CStringA& path, const std::vector<CStringA>& lines);
