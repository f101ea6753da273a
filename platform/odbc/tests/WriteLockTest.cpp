// The writer's lock of a dBase file, as two writers of one process see it:
// a file renamed over the locked one stays locked until the writer that
// renamed it lets go, and a replacement that did not take the file's place
// leaves the lock where it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/odbc/extension/WriteLock.h"

using platform::odbc::WriteLock;

namespace {

// A folder of its own with a small file "table.dbf" in it; removed at the end.
struct LockFolder {
  LockFolder() : folder(std::filesystem::temp_directory_path() / ("scrivel_lock_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder);
    Write(file, "old");
  }
  ~LockFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  static void Write(const std::string& path, const char* text) { std::ofstream(path) << text; }
  std::filesystem::path folder;
  std::string file = (folder / "table.dbf").string();
  std::string replacement = (folder / "table.dbf.new.dbf").string();
};

WriteLock::Result TryLock(WriteLock& lock, const std::string& path) {
  std::string error;
  return lock.Acquire(path, 50, error);
}

TEST(WriteLockTest, AFileRenamedOverTheLockedOneStaysLockedUntilTheWriterLetsGo) {
  LockFolder f;
  WriteLock writer, other;
  std::string error;
  ASSERT_EQ(writer.Acquire(f.file, 50, error), WriteLock::Result::kLocked) << error;
  EXPECT_EQ(TryLock(other, f.file), WriteLock::Result::kTimedOut);
  LockFolder::Write(f.replacement, "new");
  ASSERT_TRUE(writer.LockReplacement(f.replacement, error)) << error;
  ASSERT_EQ(std::rename(f.replacement.c_str(), f.file.c_str()), 0);
  writer.TakeReplacement();
  // The path names the new file now: still the writer's.
  EXPECT_EQ(TryLock(other, f.file), WriteLock::Result::kTimedOut);
  writer.Release();
  EXPECT_EQ(TryLock(other, f.file), WriteLock::Result::kLocked);
}

TEST(WriteLockTest, AReplacementThatDidNotTakeThePlaceLeavesTheLockOnTheFile) {
  LockFolder f;
  WriteLock writer, other;
  std::string error;
  ASSERT_EQ(writer.Acquire(f.file, 50, error), WriteLock::Result::kLocked) << error;
  LockFolder::Write(f.replacement, "new");
  ASSERT_TRUE(writer.LockReplacement(f.replacement, error)) << error;
  writer.DropReplacement();
  std::remove(f.replacement.c_str());
  EXPECT_EQ(TryLock(other, f.file), WriteLock::Result::kTimedOut);
  // A replacement that is not there cannot be locked, and says why.
  EXPECT_FALSE(writer.LockReplacement(f.replacement, error));
  EXPECT_NE(error.find(f.replacement), std::string::npos) << error;
  EXPECT_EQ(TryLock(other, f.file), WriteLock::Result::kTimedOut);
}

}  // namespace
