#include "examples/draft-session/CommandRegistry.h"

namespace draftsession {

void CommandRegistry::Add(std::string name, std::string description, Factory make) {
  entries_[std::move(name)] = Entry{std::move(description), std::move(make)};
}

const CommandRegistry::Entry* CommandRegistry::Find(std::string_view name) const {
  const auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : &it->second;
}

std::string CommandRegistry::NameList() const {
  std::string out;
  for (const auto& [name, entry] : entries_) {
    if (!out.empty()) out += ", ";
    out += name;
  }
  return out;
}

}  // namespace draftsession
