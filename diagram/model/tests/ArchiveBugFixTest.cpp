#include "diagram/model/document/ArchiveBugFix.h"

#include <gtest/gtest.h>

#include "platform/core/MemFile.h"

namespace {

TEST(ArchiveBugFix, StoringFlushPutsTheBytesInTheFile) {
  CMemFile file;
  CArchiveBugFix ar(&file, CArchive::store);
  ar << static_cast<DWORD>(0x04030201);
  EXPECT_EQ(file.GetLength(), 0u);  // still in the archive's buffer
  ar.UserFlush();
  ASSERT_EQ(file.GetLength(), 4u);
  file.SeekToBegin();
  BYTE bytes[4] = {};
  file.Read(bytes, 4);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[3], 4);
  ar << static_cast<BYTE>(5);  // the archive goes on after the flush
  ar.Close();
  EXPECT_EQ(file.GetLength(), 5u);
}

TEST(ArchiveBugFix, LoadingFlushRereadsWhatOthersChanged) {
  CMemFile file;
  const BYTE data[6] = {1, 2, 3, 4, 5, 6};
  file.Write(data, 6);
  file.SeekToBegin();
  CArchiveBugFix ar(&file, CArchive::load);
  WORD first = 0;
  ar >> first;  // the archive has buffered the whole file
  EXPECT_EQ(first, 0x0201);
  ar.UserFlush();
  EXPECT_EQ(file.GetPosition(), 2u);
  const BYTE changed[2] = {0xAA, 0xBB};
  file.Write(changed, 2);
  file.Seek(2, CFile::begin);
  WORD second = 0;
  ar >> second;
  EXPECT_EQ(second, 0xBBAA);
}

}  // namespace
