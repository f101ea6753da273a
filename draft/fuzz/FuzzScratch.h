// What the drafting library's fuzzers share: scratch files of this process
// (forked fuzzers run side by side), settings held in memory, message boxes
// answered silently with their default button, and the idle-time clean-up
// of a program that runs dialogs without a message loop.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "draft/host/Settings.h"
#include "platform/core/MessageBox.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"

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

// What an application's idle time frees, for a fuzzer to call after each
// input that ran a dialog: the temporary wrappers of drawing objects that
// SelectObject returned while painting (and of DCs, should any be left).
// Without it every input leaves them, and libFuzzer, seeing memory kept
// from input to input, runs its leak check after each one until it gives
// the check up.
inline void DeleteTemporaryWrappers() {
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
}

}  // namespace fuzz
