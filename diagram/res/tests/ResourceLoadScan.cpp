#include "diagram/res/tests/ResourceLoadScan.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

namespace resscan {

namespace {

using platform::ResourceType;

// A function that loads (or keeps for loading) a resource: the id is its
// argument `idArg`; when `systemArg` is given and that argument is TRUE the
// id is the system's, not the library's; when `moduleArg` is given and that
// argument is a null module the same holds.
struct Loader {
  const char* keyword;  // a word every call holds, to pass over files quickly
  const char* pattern;  // what stands before the '(' of the call
  ResourceType type;
  int idArg;
  int systemArg;
  int moduleArg;
};

const Loader kLoaders[] = {
    {"LoadString", R"(\bLoadString)", ResourceType::String, 0, -1, -1},
    {"CPropertySheet", R"(\bCPropertySheet(\s+\w+)?)", ResourceType::String, 0, -1, -1},
    {"CMultiDocTemplate", R"(\bnew\s+CMultiDocTemplate)", ResourceType::String, 0, -1, -1},
    {"CDialog", R"(\bCDialog)", ResourceType::Dialog, 0, -1, -1},
    {"CDialog::Create", R"(\bCDialog::Create)", ResourceType::Dialog, 0, -1, -1},
    {"CPropertyPage", R"(\bCPropertyPage)", ResourceType::Dialog, 0, -1, -1},
    {"LoadMenu", R"(\bLoadMenu)", ResourceType::Menu, 0, -1, -1},
    {"LoadToolBar", R"(\bLoadToolBar)", ResourceType::ToolBar, 0, -1, -1},
    {"LoadCursorForTool", R"(\bLoadCursorForTool(InPencilMode|WhenOverPort)?)", ResourceType::Cursor, 0, 1, -1},
    {"LoadCursorInto", R"(\bLoadCursorInto)", ResourceType::Cursor, 1, 2, -1},
    {"LoadCursor", R"(\bLoadCursorW?)", ResourceType::Cursor, 1, -1, 0},
    {"LoadIcon", R"(\bLoadIconW?)", ResourceType::Icon, 1, -1, 0},
};

const std::vector<std::regex>& LoaderCalls() {
  static const std::vector<std::regex> calls = [] {
    std::vector<std::regex> v;
    for (const Loader& loader : kLoaders) v.emplace_back(std::string(loader.pattern) + R"(\s*\()");
    return v;
  }();
  return calls;
}

struct Source {
  std::string name;
  std::string text;  // comments blanked, line breaks kept
  std::vector<std::string> includes;
};

// Blanks comments, keeping string literals and line breaks.
std::string StripComments(const std::string& in) {
  std::string out = in;
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '"') {
      for (++i; i < out.size() && out[i] != '"'; ++i) {
        if (out[i] == '\\') ++i;
      }
    } else if (out[i] == '\'') {
      for (++i; i < out.size() && out[i] != '\''; ++i) {
        if (out[i] == '\\') ++i;
      }
    } else if (out.compare(i, 2, "//") == 0) {
      for (; i < out.size() && out[i] != '\n'; ++i) out[i] = ' ';
    } else if (out.compare(i, 2, "/*") == 0) {
      for (; i < out.size() && out.compare(i, 2, "*/") != 0; ++i) {
        if (out[i] != '\n') out[i] = ' ';
      }
      if (i < out.size()) out[i] = out[i + 1] = ' ';
      ++i;
    }
  }
  return out;
}

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The top-level arguments of the call whose '(' is at `open`.
std::vector<std::string> Arguments(const std::string& text, size_t open) {
  std::vector<std::string> args;
  int depth = 0;
  std::string current;
  for (size_t i = open; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      const size_t end = text.find('"', i + 1);
      current += text.substr(i, end - i + 1);
      i = end;
      continue;
    }
    if (c == '(' || c == '[' || c == '{') {
      if (depth++ == 0) continue;
    } else if (c == ')' || c == ']' || c == '}') {
      if (--depth == 0) {
        args.push_back(Trim(current));
        return args;
      }
    } else if (c == ',' && depth == 1) {
      args.push_back(Trim(current));
      current.clear();
      continue;
    }
    current += c;
  }
  return args;
}

// Whether the argument is a parameter declaration ("unsigned id"), so that
// the match is the loader's own declaration or definition.
bool IsDeclaration(const std::string& arg) {
  static const std::regex declaration(R"(^[\w:<>]+(\s+[\w:<>]+)*[\s\*&]+\w+(\s*=.*)?$)");
  static const std::regex keyword(R"(^(return|new|delete|case)\b)");
  return std::regex_match(arg, declaration) && !std::regex_search(arg, keyword);
}

int LineOf(const std::string& text, size_t pos) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

// The ids an expression stands for, and the parts of it that the sources
// cannot tell.
struct Resolved {
  std::set<unsigned> ids;
  std::set<std::string> unknowns;
  void Merge(const Resolved& other) {
    ids.insert(other.ids.begin(), other.ids.end());
    unknowns.insert(other.unknowns.begin(), other.unknowns.end());
  }
};

bool IsText(const std::string& expr) {
  return !expr.empty() && (expr[0] == '"' || expr.rfind("u\"", 0) == 0 || expr.rfind("L\"", 0) == 0);
}

bool IsNullModule(const std::string& module) { return module == "nullptr" || module == "NULL" || module == "0"; }

// Whether a call of the loader names the system's resource, not the library's.
bool NamesSystemResource(const Loader& loader, const std::vector<std::string>& args) {
  if (loader.systemArg >= 0 && static_cast<int>(args.size()) > loader.systemArg &&
      args[static_cast<size_t>(loader.systemArg)] == "TRUE")
    return true;
  return loader.moduleArg >= 0 && static_cast<int>(args.size()) > loader.moduleArg &&
         IsNullModule(args[static_cast<size_t>(loader.moduleArg)]);
}

class Scanner {
 public:
  explicit Scanner(std::vector<Source> sources) : sources_(std::move(sources)) {
    for (size_t i = 0; i < sources_.size(); ++i) byName_[sources_[i].name] = i;
    static const std::regex member(R"([:,]\s*(m_\w+)\s*\(([^()]*(\([^()]*\))?[^()]*)\))");
    static const std::regex returns(R"(\b(\w+)\s*\(\s*\)\s*(const\s*)?(override\s*)?\{\s*return\s+([\w:]+)\s*;\s*\})");
    files_.resize(sources_.size());
    for (size_t f = 0; f < sources_.size(); ++f) {
      const std::string& text = sources_[f].text;
      // A member set in a constructor's initialiser list: its parameters are
      // those of the definition that the list's '{' opens.
      if (text.find("m_") != std::string::npos) {
        for (std::sregex_iterator it(text.begin(), text.end(), member), end; it != end; ++it) {
          Fact fact{f, static_cast<size_t>(it->position(2)), Trim((*it)[2])};
          const size_t body = text.find('{', fact.pos);
          if (body != std::string::npos) fact.pos = body + 1;
          members_[(*it)[1]].push_back(fact);
        }
      }
      if (text.find("return") != std::string::npos) {
        for (std::sregex_iterator it(text.begin(), text.end(), returns), end; it != end; ++it)
          returns_[(*it)[1]].push_back({f, static_cast<size_t>(it->position(4)), Trim((*it)[4])});
      }
    }
  }

  ScanResult Scan() {
    ScanResult result;
    for (size_t f = 0; f < sources_.size(); ++f) {
      const std::string& text = sources_[f].text;
      for (size_t l = 0; l < std::size(kLoaders); ++l) {
        const Loader& loader = kLoaders[l];
        if (text.find(loader.keyword) == std::string::npos) continue;
        for (std::sregex_iterator it(text.begin(), text.end(), LoaderCalls()[l]), end; it != end; ++it) {
          const size_t open = static_cast<size_t>(it->position() + it->length() - 1);
          const std::vector<std::string> args = Arguments(text, open);
          if (static_cast<int>(args.size()) <= loader.idArg) continue;
          if (std::any_of(args.begin(), args.end(), IsDeclaration)) continue;
          if (NamesSystemResource(loader, args)) continue;
          const Resolved resolved = Resolve(args[static_cast<size_t>(loader.idArg)], f, open, 0);
          const std::string where = sources_[f].name + ":" + std::to_string(LineOf(text, open));
          for (unsigned id : resolved.ids) result.loads.push_back({loader.type, id, where});
          const std::string name = Trim(it->str().substr(0, static_cast<size_t>(it->length() - 1)));
          for (const std::string& unknown : resolved.unknowns) result.passedOn.push_back({sources_[f].name, name, unknown});
          // An id that comes to nothing (set only by the host, or passed
          // round among forwarders) is passed on too; a text is no id.
          const std::string& arg = args[static_cast<size_t>(loader.idArg)];
          if (resolved.ids.empty() && resolved.unknowns.empty() && !IsText(arg) && arg != "0")
            result.passedOn.push_back({sources_[f].name, name, arg});
        }
      }
    }
    return result;
  }

 private:
  struct Fact {
    size_t file;
    size_t pos;
    std::string expression;
  };
  struct Definition {
    size_t body;  // just after its '{'
    std::string name;
    std::vector<std::string> params;
  };

  // The names, tables and function definitions of one file, read the
  // first time the file is looked into.
  struct FileIndex {
    bool read = false;
    std::map<std::string, std::vector<Fact>> constants;
    std::map<std::string, std::vector<Fact>> tables;
    std::vector<Definition> definitions;
  };

  const FileIndex& Index(size_t f) {
    FileIndex& index = files_[f];
    if (index.read) return index;
    index.read = true;
    static const std::regex define(R"(#define\s+(\w+)\s+(\w+)\s*\n)");
    static const std::regex assign(R"(\b(\w+)\s*=\s*(MAKEINTRESOURCE\s*\(\s*[\w:]+\s*\)|[\w:]+)\s*[,;}])");
    static const std::regex table(R"(\b(\w+)\s*\[\w*\]\s*=\s*\{([^}]*)\})");
    static const std::regex definition(R"(\b(\w+)\s*\(([^()]*)\)\s*(const\s*)?(override\s*)?(:\s*[^{};]*)?\{)");
    static const std::regex keyword(R"(^(if|for|while|switch|catch|return)$)");
    const std::string& text = sources_[f].text;
    const auto at = [&](const std::smatch& m, int group) {
      return Fact{f, static_cast<size_t>(m.position(group)), Trim(m[group])};
    };
    for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it)
      index.constants[(*it)[1]].push_back(at(*it, 2));
    for (std::sregex_iterator it(text.begin(), text.end(), assign), end; it != end; ++it)
      index.constants[(*it)[1]].push_back(at(*it, 2));
    for (std::sregex_iterator it(text.begin(), text.end(), table), end; it != end; ++it) {
      std::stringstream entries((*it)[2].str());
      std::string entry;
      while (std::getline(entries, entry, ',')) {
        if (!Trim(entry).empty()) index.tables[(*it)[1]].push_back({f, static_cast<size_t>(it->position(2)), Trim(entry)});
      }
    }
    for (std::sregex_iterator it(text.begin(), text.end(), definition), end; it != end; ++it) {
      if (std::regex_match((*it)[1].str(), keyword)) continue;
      index.definitions.push_back(
          {static_cast<size_t>(it->position() + it->length()), (*it)[1], Arguments("(" + (*it)[2].str() + ")", 0)});
    }
    return index;
  }

  // The files whose names a file sees: itself, its own header, and the
  // project headers either includes.
  std::vector<size_t> Scope(size_t f) const {
    std::vector<size_t> scope{f};
    const std::string& name = sources_[f].name;
    const size_t dot = name.rfind('.');
    std::vector<size_t> owners{f};
    if (dot != std::string::npos && name.substr(dot) == ".cpp") {
      const auto header = byName_.find(name.substr(0, dot) + ".h");
      if (header != byName_.end()) {
        scope.push_back(header->second);
        owners.push_back(header->second);
      }
    }
    for (size_t owner : owners) {
      for (const std::string& include : sources_[owner].includes) {
        const auto it = byName_.find(include);
        if (it != byName_.end()) scope.push_back(it->second);
      }
    }
    return scope;
  }

  Resolved Unknown(const std::string& expr) {
    Resolved r;
    r.unknowns.insert(expr);
    return r;
  }

  Resolved Resolve(std::string expr, size_t f, size_t pos, int depth) {
    expr = Trim(expr);
    static const std::regex wrapper(R"(^(MAKEINTRESOURCE|static_cast\s*<[^>]*>|reinterpret_cast\s*<[^>]*>|\(\w+\))\s*\((.*)\)$)");
    static const std::regex conditional(R"(^[^?]*\?([^:]*[^:]):([^:].*)$)");
    static const std::regex number(R"(^(0x[0-9a-fA-F]+|\d+)[uUlL]*$)");
    static const std::regex call(R"(^([\w:]+)\s*\(\s*\)$)");
    static const std::regex indexed(R"(^(\w+)\s*\[.*\]$)");
    std::smatch m;
    Resolved r;
    if (depth > 24) return Unknown(expr);
    if (expr.empty() || IsText(expr)) return r;
    if (std::regex_match(expr, m, wrapper)) return Resolve(m[2], f, pos, depth + 1);
    if (std::regex_match(expr, m, conditional)) {
      r.Merge(Resolve(m[1], f, pos, depth + 1));
      r.Merge(Resolve(m[2], f, pos, depth + 1));
      return r;
    }
    if (std::regex_match(expr, m, number)) {
      const unsigned id = static_cast<unsigned>(std::stoul(m[1], nullptr, 0));
      if (id != 0) r.ids.insert(id);  // 0 names no resource
      return r;
    }
    if (std::regex_match(expr, m, call)) {
      const auto facts = returns_.find(Unqualified(m[1]));
      if (facts == returns_.end()) return Unknown(expr);
      for (const Fact& fact : facts->second) r.Merge(Resolve(fact.expression, fact.file, fact.pos, depth + 1));
      return r;
    }
    if (std::regex_match(expr, m, indexed)) {
      for (size_t s : Scope(f)) {
        const auto& tables = Index(s).tables;
        const auto it = tables.find(m[1]);
        if (it == tables.end()) continue;
        for (const Fact& entry : it->second) r.Merge(Resolve(entry.expression, s, entry.pos, depth + 1));
        return r;
      }
      return Unknown(expr);
    }
    const std::string name = Unqualified(expr);
    if (ResolveParameter(name, f, pos, depth, r)) return r;
    for (size_t s : Scope(f)) {
      const auto& constants = Index(s).constants;
      const auto it = constants.find(name);
      if (it == constants.end()) continue;
      for (const Fact& value : it->second) r.Merge(Resolve(value.expression, s, value.pos, depth + 1));
      return r;
    }
    const auto facts = members_.find(name);
    if (facts != members_.end()) {
      for (const Fact& fact : facts->second) r.Merge(Resolve(fact.expression, fact.file, fact.pos, depth + 1));
      return r;
    }
    return Unknown(expr);
  }

  // When `name` is a parameter of the function whose definition encloses
  // `pos`, the arguments that the function's calls pass for it (an unknown
  // when no call does).
  bool ResolveParameter(const std::string& name, size_t f, size_t pos, int depth, Resolved& out) {
    const Definition* enclosing = nullptr;
    for (const Definition& d : Index(f).definitions) {
      if (d.body > pos) break;
      enclosing = &d;
    }
    if (!enclosing) return false;
    const std::regex named("\\b" + name + R"(\s*(=.*)?$)");
    int index = -1;
    for (size_t i = 0; i < enclosing->params.size(); ++i) {
      if (IsDeclaration(enclosing->params[i]) && std::regex_search(enclosing->params[i], named))
        index = static_cast<int>(i);
    }
    if (index < 0) return false;
    const auto key = std::make_tuple(f, enclosing->body, index);
    const auto memo = parameters_.find(key);
    if (memo != parameters_.end()) {
      out.Merge(memo->second);
      return true;
    }
    parameters_[key] = Resolved{};  // a cycle of calls adds nothing more
    const Loader* asLoader = nullptr;
    for (const Loader& loader : kLoaders) {
      if (enclosing->name == loader.keyword) asLoader = &loader;
    }
    Resolved result;
    bool called = false;
    for (const auto& [g, open, args] : CallsOf(enclosing->name)) {
      if (static_cast<int>(args.size()) <= index) continue;
      if (asLoader && NamesSystemResource(*asLoader, args)) continue;
      called = true;
      result.Merge(Resolve(args[static_cast<size_t>(index)], g, open, depth + 1));
    }
    if (!called) result.unknowns.insert(name);
    parameters_[key] = result;
    out.Merge(result);
    return true;
  }

  // The calls of a function, and for a constructor also the objects it
  // makes ("T name(...)"), with their arguments.
  const std::vector<std::tuple<size_t, size_t, std::vector<std::string>>>& CallsOf(const std::string& function) {
    const auto cached = calls_.find(function);
    if (cached != calls_.end()) return cached->second;
    auto& calls = calls_[function];
    const std::regex call("\\b" + function + R"((\s+[\w:]+)?\s*\()");
    for (size_t g = 0; g < sources_.size(); ++g) {
      const std::string& text = sources_[g].text;
      if (text.find(function) == std::string::npos) continue;
      for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
        const size_t open = static_cast<size_t>(it->position() + it->length() - 1);
        std::vector<std::string> args = Arguments(text, open);
        if (std::any_of(args.begin(), args.end(), IsDeclaration)) continue;
        calls.emplace_back(g, open, std::move(args));
      }
    }
    return calls;
  }

  static std::string Unqualified(const std::string& name) {
    const size_t colons = name.rfind("::");
    return colons == std::string::npos ? name : name.substr(colons + 2);
  }

  std::vector<Source> sources_;
  std::map<std::string, size_t> byName_;
  std::vector<FileIndex> files_;
  std::map<std::string, std::vector<Fact>> members_;
  std::map<std::string, std::vector<Fact>> returns_;
  std::map<std::tuple<size_t, size_t, int>, Resolved> parameters_;
  std::map<std::string, std::vector<std::tuple<size_t, size_t, std::vector<std::string>>>> calls_;
};

Source MakeSource(const std::string& name, const std::string& contents) {
  Source source{name, StripComments(contents), {}};
  static const std::regex include(R"(#include\s+"([^"]+)\")");
  for (std::sregex_iterator it(source.text.begin(), source.text.end(), include), end; it != end; ++it)
    source.includes.push_back((*it)[1]);
  return source;
}

}  // namespace

ScanResult ScanTexts(const std::map<std::string, std::string>& files) {
  std::vector<Source> sources;
  for (const auto& [name, contents] : files) sources.push_back(MakeSource(name, contents));
  return Scanner(std::move(sources)).Scan();
}

ScanResult ScanSources(const std::filesystem::path& root, const std::vector<std::string>& skipFolders) {
  std::map<std::string, std::string> files;
  for (auto it = std::filesystem::recursive_directory_iterator(root);
       it != std::filesystem::recursive_directory_iterator(); ++it) {
    const std::string leaf = it->path().filename().string();
    if (it->is_directory()) {
      if (std::find(skipFolders.begin(), skipFolders.end(), leaf) != skipFolders.end()) it.disable_recursion_pending();
      continue;
    }
    const std::string ext = it->path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    files[std::filesystem::relative(it->path(), root.parent_path()).generic_string()] = contents.str();
  }
  return ScanTexts(files);
}

const char* TypeName(platform::ResourceType type) {
  switch (type) {
    case ResourceType::String: return "string";
    case ResourceType::Dialog: return "dialog";
    case ResourceType::Menu: return "menu";
    case ResourceType::ToolBar: return "tool bar";
    case ResourceType::Accelerators: return "accelerator table";
    case ResourceType::Bitmap: return "bitmap";
    case ResourceType::Icon: return "icon";
    case ResourceType::Cursor: return "cursor";
  }
  return "?";
}

}  // namespace resscan
