// The machine fonts that draw the drawing's fonts. A drawing names the host's
// vector fonts ("单线宋体", ...) and the SHX files of the system data folder's
// "Font" folder ("txt.shx", ...); neither is a font the machine can draw
// with. The table "Font\FontMap.Tab" of the system data folder says which
// machine font family draws each: lines "name=family[,family...]", the first
// family the machine has winning, names compared without regard to ASCII
// case, ';' starting a comment line. The font files (.ttf, .ttc, .otf) in
// the "Font" folder are made this process's fonts before the table is read,
// so a font file a user drops there takes over once the table names its
// family.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/core/String.h"

class CFontMap {
 public:
  CFontMap() = default;
  CFontMap(const CFontMap&) = delete;
  CFontMap& operator=(const CFontMap&) = delete;

  // The family that draws the font `name`; empty when the table has no
  // line for it or the machine has none of its families. The table and
  // the "Font" folder are read again when the system data folder changes.
  CStringW FindFamily(const char* name);
  // True the first time a name is passed (again after the table is read
  // anew): the caller tells the user about a missing font once.
  bool IsFirstReport(const char* name);

 private:
  void LoadIfFolderChanged();

  CStringA folder_;
  bool loaded_ = false;
  std::map<std::string, std::vector<CStringW>> entries_;  // by lower-case name
  std::map<std::string, CStringW> found_;
  std::set<std::string> reported_;
  std::vector<CStringA> addedFiles_;
};

// The process's font map.
CFontMap& GetFontMap();
