// The commands a session script can push, by name. Each entry makes a new
// command object for a view; the command stack then owns it.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CCmdBase;
class CDraftView;

namespace draftsession {

class CommandRegistry {
 public:
  using Factory = std::function<CCmdBase*(CDraftView& view)>;

  struct Entry {
    std::string description;
    Factory make;
  };

  // Adds (or replaces) the command `name`.
  void Add(std::string name, std::string description, Factory make);
  // Null for an unknown name.
  const Entry* Find(std::string_view name) const;
  // The names in alphabetical order, separated by ", ".
  std::string NameList() const;
  const std::map<std::string, Entry, std::less<>>& Entries() const { return entries_; }

 private:
  std::map<std::string, Entry, std::less<>> entries_;
};

// ScrivelDraft's commands that a session can use.
CommandRegistry LibraryCommands();

}  // namespace draftsession
