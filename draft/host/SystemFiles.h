// Tressil's system files: where the installed system data lies and the small
// file services the drafting library calls around them.
//
// The system data folder holds the data files the libraries read and some of
// them rewrite ("Def\item.def", "Table\Material.Tab", the "Font" folder, ...).
// The project ships one (draft/sysdata); a host points the folder elsewhere
// with SetSystemDataFolder, and tests and the example host work on a scratch
// copy of the shipped folder (CSystemDataScratch) so that the shipped files
// are never rewritten.
#pragma once

#include <string>

#include "platform/core/Exceptions.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// The folder in use (GBK, as every path of the multibyte build), without a
// trailing separator.
CStringA GetSystemDataFolder();
// Makes `folder` (GBK) the system data folder; null or empty: the shipped
// folder again.
void SetSystemDataFolder(const char* folder);
// The shipped folder, as a Linux (UTF-8) path.
std::string GetShippedSystemDataFolder();

// The full path of `name`, a path relative to the system data folder written
// with either separator ("Def\jshyq.tec"). The file need not exist.
CStringA GetSystemFilePath(const char* name);

// Nonzero when `path` names an existing regular file (resolved as every
// platform path is: both separators, letter case ignored).
BOOL IsFileExist(const char* path);

// The extension of the path's last component, without the dot and with its
// letter case kept; empty when the last component has no dot.
CStringA GetFileExtension(const char* path);

// Shows the failure of a file operation: the file name and the words for the
// cause (a CFileException cause code), in the plain error box.
void ReportFileException(const char* fileName, int cause);
void ReportFileException(const CFileException& e);
// The words the report uses for a cause code.
CStringA GetFileExceptionText(int cause);

// Drops needless trailing zeros of a number just formatted with "%lf":
// "3.500000" becomes "3.5", "7.000000" becomes "7", "-0.000000" becomes "0".
// A text without a decimal point, or with anything but digits after it, is
// left as it is.
void TrimNumberText(CStringA& text);

// Puts `text` on the clipboard as CF_TEXT in a global-memory block 20 bytes
// longer than the text (zero-filled), emptying the clipboard first, with
// `owner` as the clipboard's owner. Nonzero when the text is on the
// clipboard; 0 when the clipboard cannot be opened (another window holds it)
// or the block cannot be made.
BOOL CopyTextToClipboard(const char* text, HWND owner);

// A scratch copy of the shipped system data folder, made in a new temporary
// folder and in use as the system data folder while the object lives; the
// folder in use before comes back and the copy is removed at destruction.
class CSystemDataScratch {
 public:
  CSystemDataScratch();
  ~CSystemDataScratch();
  CSystemDataScratch(const CSystemDataScratch&) = delete;
  CSystemDataScratch& operator=(const CSystemDataScratch&) = delete;

  // The copy's folder (UTF-8).
  const std::string& GetFolder() const { return folder_; }

 private:
  std::string folder_;
  CStringA previous_;
};
