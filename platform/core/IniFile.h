// The text of an INI file: "[section]" lines and "key=value" lines below
// them. Sections and keys compare without regard to case (ASCII letters);
// the first section and key of a name win. Values lose surrounding blanks and
// one pair of surrounding quotes when read, and are quoted when written if
// they need it, so that every value reads back as written.
//
// Each line is read as UTF-8, or as GBK (the ANSI code page of INI files
// written on the host's Windows) when it is not valid UTF-8. Lines that are
// neither a section nor an entry (comments, damage) are kept, and every line
// an edit does not touch is written back byte for byte; new lines are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniFile {
 public:
  IniFile() = default;
  static IniFile Parse(std::string_view bytes);
  std::string Serialize() const;

  std::optional<std::u16string> Get(std::u16string_view section, std::u16string_view key) const;

  // False, changing nothing, for a text the file cannot hold: a section that
  // is empty or holds ']' or a line break, a key that is empty, holds '=' or
  // a line break, or starts with '[' or ';', a value with a line break, or
  // names or values with blanks at either end (the file would lose them).
  bool Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // Removes every entry of that key in every section of that name.
  void Remove(std::u16string_view section, std::u16string_view key);
  // Removes every section of that name with all its lines.
  void RemoveSection(std::u16string_view section);

 private:
  enum class Kind { Other, Section, Entry };
  struct Line {
    Kind kind = Kind::Other;
    std::string raw;        // the bytes of the line without its end
    std::u16string name;    // section name, or entry key
    std::u16string value;   // entry value, unquoted
  };

  static Line ParseLine(std::string raw);
  static Line MakeSection(std::u16string_view section);
  static Line MakeEntry(std::u16string_view key, std::u16string_view value);
  // The index of the section line of every section of that name.
  std::vector<size_t> Sections(std::u16string_view section) const;
  // One past the last line of the section that starts at `header`.
  size_t SectionEnd(size_t header) const;

  std::vector<Line> lines_;
  std::string lineEnd_ = "\n";
};

}  // namespace platform
