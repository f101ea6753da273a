// What the drafting library's fuzzers share: scratch files of this process
// (forked fuzzers run side by side), settings held in memory, and message
// boxes answered silently with their default button.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "draft/host/Settings.h"
#include "platform/core/MessageBox.h"

namespace fuzz {

// A scratch file named `name` of this process.
inline std::string ScratchPath(const char* name) {
  return "/tmp/scrivel-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

// Writes the bytes to the scratch file `name`; its path.
inline std::string WriteScratch(const char* name, const uint8_t* data, size_t size) {
  const std::string path = ScratchPath(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

inline void RemoveScratch(const char* name) { ::unlink(ScratchPath(name).c_str()); }

// Once per process: nothing a fuzzer does reaches the user's settings, and
// no box waits for an answer.
inline void QuietHost() {
  SetSettingsBacking(std::make_unique<CMemorySettings>());
  platform::SetMessageBoxHandler(
      [](const platform::MessageBoxRequest& r) { return platform::DefaultMessageBoxAnswer(r.type); });
}

}  // namespace fuzz
