#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/core/SharedFile.h"

namespace {

std::vector<BYTE> Pattern(size_t n) {
  std::vector<BYTE> v(n);
  std::iota(v.begin(), v.end(), BYTE(1));
  return v;
}

TEST(MemFile, GrowsAndHandsItsMemoryOver) {
  CMemFile file(1024);
  std::vector<BYTE> data = Pattern(3000);
  file.Write(data.data(), 1000);
  file.Write(data.data() + 1000, 2000);
  EXPECT_EQ(file.GetLength(), 3000u);
  file.Seek(10, CFile::begin);
  BYTE b[4];
  EXPECT_EQ(file.Read(b, 4), 4u);
  EXPECT_EQ(0, std::memcmp(b, data.data() + 10, 4));
  BYTE* memory = file.Detach();
  EXPECT_EQ(0, std::memcmp(memory, data.data(), 3000));
  std::free(memory);
  EXPECT_EQ(file.GetLength(), 0u);
  file.Write("x", 1);  // usable again
  EXPECT_EQ(file.GetLength(), 1u);
}

TEST(MemFile, SeekingPastTheEndLeavesZerosAndLengthCanBeSet) {
  CMemFile file;
  file.Write("ab", 2);
  file.Seek(6, CFile::begin);
  file.Write("z", 1);
  std::vector<BYTE> all(7);
  file.SeekToBegin();
  EXPECT_EQ(file.Read(all.data(), 10), 7u);
  EXPECT_EQ(all, (std::vector<BYTE>{'a', 'b', 0, 0, 0, 0, 'z'}));
  file.SetLength(3);
  EXPECT_EQ(file.GetLength(), 3u);
  EXPECT_EQ(file.GetPosition(), 3u);
  file.SetLength(5);
  file.SeekToBegin();
  EXPECT_EQ(file.Read(all.data(), 10), 5u);
  EXPECT_EQ(all[4], 0);
  EXPECT_THROW(file.Seek(-1, CFile::begin), CFileException);
}

TEST(MemFile, AnAttachedFixedBlockCannotGrow) {
  BYTE block[4] = {1, 2, 3, 4};
  CMemFile file(block, sizeof block);
  EXPECT_EQ(file.GetLength(), 4u);
  file.Seek(2, CFile::begin);
  file.Write("\x09", 1);  // inside: fine
  EXPECT_EQ(block[2], 9);
  file.SeekToEnd();
  EXPECT_THROW(file.Write("x", 1), CMemoryException);
  EXPECT_EQ(file.GetLength(), 4u);
  EXPECT_EQ(file.Detach(), block);  // never freed by the file
}

TEST(MemFile, AnAttachedGrowableBlockStartsEmpty) {
  auto* block = static_cast<BYTE*>(std::malloc(4));
  CMemFile file;
  file.Attach(block, 4, 16);
  EXPECT_EQ(file.GetLength(), 0u);
  std::vector<BYTE> data = Pattern(40);
  file.Write(data.data(), 40);
  BYTE* grown = file.Detach();
  EXPECT_EQ(0, std::memcmp(grown, data.data(), 40));
  std::free(grown);
}

TEST(GlobalMemory, MoveableBlocksLockUnlockResizeAndFree) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 52);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 52u);
  auto* p = static_cast<BYTE*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[51], 0);
  p[0] = 7;
  EXPECT_EQ(GlobalLock(h), p);
  EXPECT_TRUE(GlobalUnlock(h));   // still locked once
  // Locked: it cannot move unless the caller allows it.
  EXPECT_EQ(GlobalReAlloc(h, 4096, 0), nullptr);
  EXPECT_EQ(GlobalSize(h), 52u);
  EXPECT_FALSE(GlobalUnlock(h));  // now unlocked
  EXPECT_EQ(GlobalReAlloc(h, 4096, GMEM_ZEROINIT), h);  // the handle stays
  EXPECT_EQ(GlobalSize(h), 4096u);
  p = static_cast<BYTE*>(GlobalLock(h));
  EXPECT_EQ(p[0], 7);
  EXPECT_EQ(p[4095], 0);
  GlobalUnlock(h);
  EXPECT_EQ(GlobalFree(h), nullptr);
  // A freed or unknown handle: failure results, no crash.
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalFree(h), h);
}

// Only GMEM_ZEROINIT promises zeros, in a new block and in the bytes a block
// grows by; other memory is not zero, so a caller that relies on it shows.
TEST(GlobalMemory, OnlyZeroInitGivesZeros) {
  for (UINT kind : {GMEM_FIXED, GMEM_MOVEABLE}) {
    for (UINT zero : {0u, GMEM_ZEROINIT}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " zero " << zero);
      HGLOBAL h = GlobalAlloc(kind | zero, 16);
      ASSERT_NE(h, nullptr);
      auto* p = static_cast<BYTE*>(GlobalLock(h));
      EXPECT_EQ(std::count(p, p + 16, BYTE(0)), zero ? 16 : 0);
      std::memset(p, 7, 16);
      GlobalUnlock(h);
      HGLOBAL grown = GlobalReAlloc(h, 40, GMEM_MOVEABLE | zero);
      ASSERT_NE(grown, nullptr);
      p = static_cast<BYTE*>(GlobalLock(grown));
      EXPECT_EQ(std::count(p, p + 16, BYTE(7)), 16);
      EXPECT_EQ(std::count(p + 16, p + 40, BYTE(0)), zero ? 24 : 0);
      GlobalUnlock(grown);
      EXPECT_EQ(GlobalFree(grown), nullptr);
    }
  }
}

TEST(GlobalMemory, AFixedBlockIsItsOwnAddress) {
  HGLOBAL h = GlobalAlloc(GPTR, 8);
  EXPECT_EQ(GlobalLock(h), h);
  EXPECT_EQ(GlobalReAlloc(h, 64, 0), nullptr);  // it would have to move
  HGLOBAL moved = GlobalReAlloc(h, 64, GMEM_MOVEABLE);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(GlobalSize(moved), 64u);
  EXPECT_EQ(GlobalFree(moved), nullptr);
}

// Clipboard data: an archive stored into a shared file, handed over as a
// global block, read back through another shared file.
TEST(SharedFile, CarriesAnArchiveThroughAGlobalBlock) {
  HGLOBAL block;
  CStringW text(u'x', 3000);
  {
    CSharedFile out;
    CArchive ar(&out, CArchive::store);
    ar << DWORD(18) << text;
    ar.Close();
    EXPECT_EQ(out.GetLength(), 4u + 6u + 6000u);
    block = out.Detach();
  }
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 8192u);  // grown in 4096-byte steps

  CSharedFile in;
  in.SetHandle(block, FALSE);
  EXPECT_EQ(in.GetLength(), 8192u);
  CArchive ar(&in, CArchive::load, 4096);
  DWORD version;
  CStringW back;
  ar >> version >> back;
  EXPECT_EQ(version, 18u);
  EXPECT_EQ(back, text);
  in.SeekToEnd();
  EXPECT_THROW(in.Write("x", 1), CMemoryException);  // not allowed to grow
}  // `in` frees the block

}  // namespace
