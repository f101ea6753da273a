// Finds the resources the library's sources load: each call of a loading
// function (a string, dialog, menu, tool bar, cursor or icon by id) with the
// id it passes. An id written as a number, a named constant (an enum member,
// a constexpr or a #define of the file, its own header or the headers they
// include), an entry of a constant table, a member set from such a name in a
// constructor, or a call of a function whose bodies return such names, is
// resolved to its values. An id the sources cannot tell (a parameter, or a
// member its caller sets) is reported as passed on, with the text it has.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/core/ResourceSet.h"

namespace resscan {

struct Load {
  platform::ResourceType type;
  unsigned id;
  std::string where;  // file:line
};

struct PassedOn {
  std::string file;  // relative to the scanned folder
  std::string loader;
  std::string argument;
};

struct ScanResult {
  std::vector<Load> loads;
  std::vector<PassedOn> passedOn;
};

// Scans the .h and .cpp files under `root`, leaving out the folders named in
// `skipFolders` (tests, test support, fuzzers). File names are given relative
// to root's parent, e.g. "diagram/ui/DrawView.cpp".
ScanResult ScanSources(const std::filesystem::path& root, const std::vector<std::string>& skipFolders);

// The same over sources given as text (name → contents), for testing the scan.
ScanResult ScanTexts(const std::map<std::string, std::string>& files);

const char* TypeName(platform::ResourceType type);

}  // namespace resscan
