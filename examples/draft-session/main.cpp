// The example host of ScrivelDraft: replays a drafting session written as a
// text script (see Script.h) through the command stack, prints what the user
// would see, and writes the drawing as a drawing file and a PNG picture.
//
//   demo_draft_session OUTPUT_FOLDER [SCRIPT]
//
// Without SCRIPT every shipped example session (*.session beside this
// program's sources) runs, in name order. The outputs of a script are
// OUTPUT_FOLDER/<script name>.drawing and .png (and the files the script
// itself saves there, named after it; those of an earlier run are removed
// first); nothing is written for a script that is malformed or cannot be
// replayed (exit status 2 and 1; with several scripts the others still run).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "draft/host/DrawingFile.h"
#include "examples/draft-session/CommandRegistry.h"
#include "examples/draft-session/Script.h"
#include "examples/draft-session/SessionOutputs.h"
#include "examples/draft-session/SessionPlayer.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Module.h"

namespace {

constexpr std::uintmax_t kMaxScriptBytes = 1 << 20;

bool ReadScript(const std::filesystem::path& path, std::string& text, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = "no script file " + path.string();
    return false;
  }
  if (std::filesystem::file_size(path, ec) > kMaxScriptBytes) {
    error = path.string() + " is too large for a session script (1 MiB at most)";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  if (!in) {
    error = "cannot read " + path.string();
    return false;
  }
  text = s.str();
  return true;
}

// Replays one script; 0 when its drawing and picture were written.
int RunScript(const std::filesystem::path& folder, const std::filesystem::path& scriptPath) {
  const std::string scriptName = scriptPath.filename().string();
  std::string text, error;
  if (!ReadScript(scriptPath, text, error)) {
    std::cerr << error << "\n";
    return 2;
  }
  const draftsession::Script script = draftsession::ParseScript(text);
  for (const draftsession::ScriptError& e : script.errors)
    std::cerr << draftsession::FormatError(scriptName, e) << "\n";
  if (!script.Ok()) return 2;

  std::cout << "ScrivelDraft is loaded (Scrivel.DLL); replaying " << scriptName << "\n";
  const draftsession::CommandRegistry commands = draftsession::LibraryCommands();
  std::unique_ptr<draftsession::SessionPlayer> session;
  try {
    session = std::make_unique<draftsession::SessionPlayer>(commands, std::cout);
  } catch (CFileException&) {
    std::cerr << "cannot make a scratch copy of the system data folder\n";
    return 1;
  }
  draftsession::SessionPlayer& player = *session;
  // A script names the folders it reads and writes files in as ${SCRIPT}
  // (its own folder, with the files shipped beside it) and ${OUT}.
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  draftsession::RemoveEarlierOutputs(folder, scriptPath);
  player.SetVariable("OUT", std::filesystem::absolute(folder, ec).lexically_normal().string());
  player.SetVariable("SCRIPT", std::filesystem::absolute(scriptPath, ec).parent_path().lexically_normal().string());
  if (!player.Play(script)) {
    std::cout.flush();
    std::cerr << draftsession::FormatError(scriptName, player.Error()) << "\n";
    return 1;
  }

  const std::filesystem::path stem = folder / scriptPath.stem();
  std::filesystem::path drawingPath = stem, picturePath = stem;
  drawingPath += ".drawing";
  picturePath += ".png";
  if (!WriteDrawingFile(player.View(), drawingPath, &error)) {
    std::cerr << error << "\n";
    return 1;
  }
  if (!player.WritePicture(picturePath.string())) {
    std::cerr << "cannot write " << picturePath.string() << "\n";
    return 1;
  }
  const int count = player.View().GetEntityList()->GetCount() + player.View().GetSelectionCount();
  std::cout << "The drawing has " << count << " entities: wrote " << drawingPath.string() << " and "
            << picturePath.string() << "\n";
  return 0;
}

// The shipped scripts, in name order.
std::vector<std::filesystem::path> ShippedScripts() {
  std::vector<std::filesystem::path> out;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(SCRIVEL_SESSION_FOLDER, ec))
    if (entry.path().extension() == ".session") out.push_back(entry.path());
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: demo_draft_session OUTPUT_FOLDER [SCRIPT]\n";
    return 2;
  }
  // Linking the library loaded it: its load step registered it by name.
  if (!GetModuleHandleA("Scrivel.DLL")) {
    std::cerr << "ScrivelDraft did not register itself as Scrivel.DLL\n";
    return 1;
  }
  const std::filesystem::path folder = argv[1];
  if (argc > 2) return RunScript(folder, argv[2]);
  const std::vector<std::filesystem::path> scripts = ShippedScripts();
  if (scripts.empty()) {
    std::cerr << "no shipped scripts in " << SCRIVEL_SESSION_FOLDER << "\n";
    return 2;
  }
  int status = 0;
  for (const std::filesystem::path& script : scripts) {
    const int result = RunScript(folder, script);
    if (result > status) status = result;
  }
  return status;
}
