// Checks the include rules of the project: reads the rules block of
// docs/architecture.md (the fenced block marked "include-rules") and every
// header and source of the libraries, and reports each project include that
// crosses a rule as "file:line: ..." naming the rule. Exit status 1 when
// one does, 2 when the rules cannot be read.
//
//   check_includes <project root>
//
// Rule lines (see docs/architecture.md):
//   <room> <may include>... [sources: <may include>...]
//   order <room> <sub-room>...     (bottom first)
//   anything: <pattern>...
//   exception <file> <header>...
// A file belongs to the longest room that is a prefix of its path and may
// include the headers of its own room and those the line lists; an entry
// names a folder (and everything under it) or one header. "sources:" adds
// what the room's .cpp files may include besides. A pattern "*/name"
// matches a folder of that name anywhere. The sub-rooms of an "order" line
// are rooms of their own: each may include what the parent room may, and its
// headers also the lower sub-rooms, its sources any of them.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rule {
  std::vector<std::string> headers;
  std::vector<std::string> sources;
};

struct Rules {
  std::map<std::string, Rule> rooms;
  std::vector<std::pair<std::string, std::vector<std::string>>> orders;
  std::vector<std::string> anything;
  std::map<std::string, std::set<std::string>> exceptions;
  std::set<std::string> topFolders;
};

bool Under(const std::string& path, const std::string& entry) {
  if (entry.rfind("*/", 0) == 0) {
    const std::string name = "/" + entry.substr(2) + "/";
    return ("/" + path).find(name) != std::string::npos;
  }
  return path == entry || path.rfind(entry + "/", 0) == 0;
}

bool ReadRules(const fs::path& doc, Rules& rules) {
  std::ifstream in(doc);
  if (!in) return false;
  std::string line;
  bool inBlock = false;
  bool found = false;
  while (std::getline(in, line)) {
    if (!inBlock) {
      if (line == "```include-rules") inBlock = found = true;
      continue;
    }
    if (line.rfind("```", 0) == 0) break;
    const auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    std::string word;
    if (first == "anything:") {
      while (words >> word) rules.anything.push_back(word);
    } else if (first == "order") {
      std::string parent;
      words >> parent;
      std::vector<std::string> rooms;
      while (words >> word) rooms.push_back(parent + "/" + word);
      rules.orders.emplace_back(parent, rooms);
    } else if (first == "exception") {
      std::string file;
      words >> file;
      while (words >> word) rules.exceptions[file].insert(word);
    } else {
      Rule& rule = rules.rooms[first];
      bool sources = false;
      while (words >> word) {
        if (word == "-") continue;
        if (word == "sources:") {
          sources = true;
          continue;
        }
        (sources ? rule.sources : rule.headers).push_back(word);
      }
      rules.topFolders.insert(first.substr(0, first.find('/')));
    }
  }
  for (const auto& [parent, rooms] : rules.orders) {
    const auto base = rules.rooms.find(parent);
    if (base == rules.rooms.end()) return false;
    const Rule parentRule = base->second;
    for (size_t i = 0; i < rooms.size(); ++i) {
      Rule& rule = rules.rooms[rooms[i]];
      rule = parentRule;
      rule.headers.insert(rule.headers.end(), rooms.begin(), rooms.begin() + static_cast<std::ptrdiff_t>(i));
      rule.sources.push_back(parent);
    }
  }
  return found && !rules.rooms.empty();
}

// The header of a line `#include "..."`, or "".
std::string QuotedInclude(const std::string& line) {
  size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos || line[i] != '#') return "";
  i = line.find_first_not_of(" \t", i + 1);
  if (i == std::string::npos || line.compare(i, 7, "include") != 0) return "";
  i = line.find_first_not_of(" \t", i + 7);
  if (i == std::string::npos || line[i] != '"') return "";
  const size_t end = line.find('"', i + 1);
  return end == std::string::npos ? "" : line.substr(i + 1, end - i - 1);
}

// The longest room that holds the path, or "".
std::string RoomOf(const Rules& rules, const std::string& path) {
  std::string best;
  for (const auto& [room, rule] : rules.rooms) {
    if (Under(path, room) && room.size() > best.size()) best = room;
  }
  return best;
}

std::string Describe(const std::string& room, const Rule& rule, bool source) {
  std::string text = room + " may include " + room;
  for (const std::string& entry : rule.headers) text += ", " + entry;
  if (source) {
    for (const std::string& entry : rule.sources) text += ", " + entry;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: check_includes <project root>\n";
    return 2;
  }
  const fs::path root(argv[1]);
  Rules rules;
  if (!ReadRules(root / "docs" / "architecture.md", rules)) {
    std::cerr << "docs/architecture.md: no include-rules block\n";
    return 2;
  }
  std::vector<std::string> files;
  for (const std::string& top : rules.topFolders) {
    if (!fs::is_directory(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      if (!entry.is_regular_file()) continue;
      const std::string ext = entry.path().extension().string();
      if (ext != ".h" && ext != ".cpp" && ext != ".inc") continue;
      files.push_back(fs::relative(entry.path(), root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());

  int broken = 0;
  for (const std::string& file : files) {
    if (std::any_of(rules.anything.begin(), rules.anything.end(),
                    [&](const std::string& pattern) { return Under(file, pattern); })) {
      continue;
    }
    const std::string room = RoomOf(rules, file);
    if (room.empty()) {
      std::cout << file << ":1: belongs to no room of the include rules\n";
      ++broken;
      continue;
    }
    const Rule& rule = rules.rooms.at(room);
    const bool source = fs::path(file).extension() == ".cpp";
    const auto exception = rules.exceptions.find(file);
    std::ifstream in(root / file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string target = QuotedInclude(line);
      if (target.empty()) continue;
      const std::string top = target.substr(0, target.find('/'));
      if (target.find('/') == std::string::npos || !fs::is_directory(root / top)) continue;
      if (Under(target, room)) continue;
      const auto allows = [&](const std::vector<std::string>& entries) {
        return std::any_of(entries.begin(), entries.end(),
                           [&](const std::string& entry) { return Under(target, entry); });
      };
      if (allows(rule.headers) || (source && allows(rule.sources))) continue;
      if (exception != rules.exceptions.end() && exception->second.count(target)) continue;
      std::cout << file << ":" << number << ": includes \"" << target << "\", but "
                << Describe(room, rule, source) << "\n";
      ++broken;
    }
  }
  if (broken) std::cout << broken << " include(s) cross the rules of docs/architecture.md\n";
  return broken ? 1 : 0;
}
