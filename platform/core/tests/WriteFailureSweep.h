// Runs a writer with its file's writes failing at every point, through the
// platform's write calls (platform/core/WriteCalls.h): once with nothing
// failing, to learn how many bytes and steps the writer takes; then once for
// each cut point (the device full after 0, 1, ... bytes, ENOSPC) and once
// for each step (a write, flush, close or rename failing with EIO). Past
// the first kilobyte, the cut points are those where the writer can tell a
// difference: the first byte of each of its write calls, the next one and
// the last one (a cut inside a call gives a short write, then ENOSPC,
// wherever it falls). Each failing run starts from the same files and must
// - report the failure to the user (the case counts what it saw: a message
//   box, an exception, a returned error text),
// - not report success, and
// - leave the folder as it was: every old file byte for byte, no file added.
// A run may succeed only when the failure fell on a step the writer can do
// without (then its files must be those of the run with nothing failing).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "platform/core/WriteCalls.h"

namespace testsupport {

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The files under a folder (paths relative to it) with their bytes.
inline std::map<std::string, std::string> FolderFiles(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    files[std::filesystem::relative(entry.path(), folder).string()] = FileBytes(entry.path().string());
  }
  return files;
}

// What one run of a writer told its user.
struct WriteOutcome {
  bool success = false;  // the writer reported success
  int reports = 0;       // failure reports the user saw
};

// The figures of a sweep, for a test to show.
struct SweepFigures {
  size_t bytes = 0;
  int steps = 0;
  int runs = 0;
  int toleratedSteps = 0;  // failing steps the writer did without
};

// Sweeps `write` over every failure point. `reset` puts the folder back to
// its starting files (and the writer's inputs back) before each run; the
// files under `folder` are what is compared.
inline SweepFigures SweepWriteFailures(const std::string& name, const std::string& folder,
                                       const std::function<void()>& reset,
                                       const std::function<WriteOutcome()>& write) {
  SweepFigures figures;
  reset();
  const auto before = FolderFiles(folder);
  std::map<std::string, std::string> written;
  std::set<size_t> cuts;
  {
    auto measure = platform::ScopedWriteFailure::None();
    const WriteOutcome clean = write();
    EXPECT_TRUE(clean.success) << name << ": the writer fails with nothing failing";
    EXPECT_EQ(clean.reports, 0) << name;
    const platform::WriteCallCounts counts = measure.Counts();
    figures.bytes = counts.bytes;
    figures.steps = counts.steps;
    for (size_t cut = 0; cut < std::min<size_t>(counts.bytes, 1024); ++cut) cuts.insert(cut);
    for (size_t i = 0; i < counts.writeStarts.size(); ++i) {
      const size_t start = counts.writeStarts[i];
      const size_t end = i + 1 < counts.writeStarts.size() ? counts.writeStarts[i + 1] : counts.bytes;
      if (end <= start) continue;
      cuts.insert(start);
      cuts.insert(start + 1 < end ? start + 1 : start);
      cuts.insert(end - 1);
    }
  }
  written = FolderFiles(folder);
  EXPECT_NE(written, before) << name << ": the writer changed nothing";
  EXPECT_GT(figures.steps, 0) << name << ": the writer's writes do not go through the platform's write calls";

  auto check = [&](const std::string& point, auto&& plan) {
    reset();
    WriteOutcome outcome;
    bool failed = false;
    {
      auto failure = plan();
      outcome = write();
      failed = failure.Failed();
    }
    ++figures.runs;
    const auto after = FolderFiles(folder);
    if (!failed) {
      ADD_FAILURE() << name << " " << point << ": the planned failure never came";
      return;
    }
    if (outcome.success) {
      EXPECT_EQ(outcome.reports, 0) << name << " " << point;
      EXPECT_TRUE(after == written) << name << " " << point << ": success reported over a file not written whole";
      ++figures.toleratedSteps;
      return;
    }
    EXPECT_GT(outcome.reports, 0) << name << " " << point << ": the failure was not reported";
    if (after != before) {
      std::ostringstream diff;
      for (const auto& [file, bytes] : after)
        if (!before.count(file)) diff << " added " << file << ";";
        else if (before.at(file) != bytes) diff << " changed " << file << ";";
      for (const auto& [file, bytes] : before)
        if (!after.count(file)) diff << " removed " << file << ";";
      ADD_FAILURE() << name << " " << point << ":" << diff.str();
    }
  };
  for (size_t cut : cuts)
    check("cut at byte " + std::to_string(cut), [cut] { return platform::ScopedWriteFailure::AfterBytes(cut); });
  for (int step = 0; step < figures.steps; ++step)
    check("step " + std::to_string(step), [step] { return platform::ScopedWriteFailure::AtStep(step); });
  reset();
  std::printf("%-30s %6zu bytes %3d steps %5d failing runs, %d failing steps done without\n", name.c_str(),
              figures.bytes, figures.steps, figures.runs, figures.toleratedSteps);
  return figures;
}

}  // namespace testsupport
