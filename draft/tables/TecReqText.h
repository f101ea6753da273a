// The text of technical requirements: a title and numbered items, and the
// .tec file that keeps them. An item's text ends with "\r\n" and may hold
// further lines (each ending with "\r\n"); its number is not kept with it.
//
// A .tec file holds the title on its first line, then each item as "N." and
// its text, numbered from 1. Reading it (and the items edit of the
// requirements dialog) trims every line of blanks; a line whose part before
// its first "." is a positive number without a leading zero starts an item,
// any other non-empty line continues the current one.
#pragma once

#include "platform/core/String.h"
#include "platform/core/StringArray.h"

// Blanks are the characters 9, 10, 13 and 32.
bool IsBlank(char c);
// Takes the blanks off both ends of `text`.
void TrimBlanks(CStringA& text);

// Collects items from lines (the title line left out).
class CTecItemCollector {
 public:
  explicit CTecItemCollector(CStringArray& items) : items_(items) {}
  // One line as read (trimmed here).
  void AddLine(CStringA line);
  // Appends the item collected so far, if any.
  void Finish();

 private:
  CStringArray& items_;
  CStringA current_;
};

// The number of a line that starts an item (its part before the first "."
// all digits, not starting with "0"), 0 for any other line.
int TecItemNumber(const CStringA& line);

// The items joined for display: "N." and the item for each, an item that
// does not end with "\n" given "\r\n".
CStringA FormatTecItems(const CStringArray& items);
// The bytes of a .tec file: the title and "\r\n", then the items as
// FormatTecItems gives them.
CStringA FormatTecFile(const CStringA& title, const CStringArray& items);

// Reads a .tec file into the items (appended); the title is taken only
// when `title` is empty. FALSE (nothing changed) when it cannot be opened.
BOOL ReadTecFile(const char* path, CStringA& title, CStringArray& items);
// Writes a .tec file beside the old one and renames it over it; a failed
// write leaves the old file as it was and shows "打开文件[%s]未能成功.".
BOOL WriteTecFile(const char* path, const CStringA& title, const CStringArray& items);
// Replaces a file with `bytes` as WriteTecFile does.
BOOL ReplaceTextFileBytes(const char* path, const CStringA& bytes);
