#include "diagram/model/canvas/SecurityChecker.h"

#include <gtest/gtest.h>

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

namespace {

TEST(SecurityChecker, OpenLockAllowsEverythingAndCannotCloseWithoutRestriction) {
  CSecurityChecker lock;
  EXPECT_FALSE(lock.IsLocked());
  EXPECT_TRUE(lock.IsAllowed(0xFFFFFFFF, 0xFFFFFFFF));
  EXPECT_EQ(lock.Lock(), 0);  // both masks all ones: nothing to restrict
  EXPECT_FALSE(lock.IsLocked());
  EXPECT_EQ(lock.UnLock(u"anything"), 1);
}

TEST(SecurityChecker, ClosedLockAllowsOnlyOperationsWithinTheMasks) {
  CSecurityChecker lock;
  ASSERT_EQ(lock.SetAllowedOperations(COperation(0x0000000F, 0x00010000)), 1);
  ASSERT_EQ(lock.Lock(), 1);
  struct Case {
    DWORD op1, op2;
    int allowed;
  } cases[] = {
      {0x3, 0, 1},          {0xF, 0, 1},        {0x0, 0, 1},  // no bits: nothing to refuse
      {0x10, 0, 0},         {0x1F, 0, 0},       {0x3, 0x00010000, 1},
      {0x3, 0x00010001, 0}, {0, 0x00020000, 0}, {0xFFFFFFFF, 0xFFFFFFFF, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lock.IsAllowed(c.op1, c.op2), c.allowed) << std::hex << c.op1 << " " << c.op2;
    EXPECT_EQ(lock.IsAllowed(COperation(c.op1, c.op2)), c.allowed);
  }
}

TEST(SecurityChecker, ClosedLockRefusesNewMasksAndPassword) {
  CSecurityChecker lock;
  lock.SetPassword(u"old");
  lock.SetAllowedOperations(0x1, 0x0);
  lock.Lock();
  EXPECT_EQ(lock.SetPassword(u"new"), 0);
  EXPECT_EQ(lock.SetAllowedOperations(0xFFFFFFFF, 0xFFFFFFFF), 0);
  EXPECT_FALSE(lock.IsAllowed(0x2, 0));
  EXPECT_EQ(lock.UnLock(u"new"), 0);
  EXPECT_TRUE(lock.IsLocked());
  EXPECT_EQ(lock.UnLock(u"Old"), 0);  // case-sensitive
  EXPECT_EQ(lock.UnLock(u"old"), 1);
  EXPECT_FALSE(lock.IsLocked());
}

TEST(SecurityChecker, EmptyPasswordOpensOnlyForTheEmptyText) {
  CSecurityChecker lock;
  lock.SetAllowedOperations(0, 0);
  lock.Lock();
  EXPECT_EQ(lock.UnLock(u" "), 0);
  EXPECT_EQ(lock.UnLock(u"x"), 0);
  EXPECT_EQ(lock.UnLock(nullptr), 1);
  lock.Lock();
  EXPECT_EQ(lock.UnLock(u""), 1);
}

TEST(SecurityChecker, ScramblingVectors) {
  struct Case {
    std::u16string text;
    int key;
    std::u16string scrambled;
  } cases[] = {
      {u"", 0, u""},
      {u"abc", 0, u"PQR"},                       // key 0: length 3 * 17 = 51
      {u"Pass word", 0, u"}kvn9jjxI"},           // key 9 * 17 % 128 = 25
      {std::u16string(128, u'x'), 0, std::u16string(128, u'?')},  // 128 * 17 % 128 = 0: key 71
      {u"AC", 128 + 3, u"@B"},                   // only the low seven bits of the key count
      {u"a", 65, u"`"},                          // a space is not graphic: 64 is added
      {u"?", 64, u"\u00BF"},                     // DEL + 64 is the inverted question mark
      {u"\xD83D\xDE00", 1, u"~~"},               // surrogates stay surrogates: "~"
  };
  for (const Case& c : cases) {
    CStringW text{std::u16string(c.text)};
    CSecurityChecker::Encrypt(text, c.key);
    EXPECT_TRUE(text.str() == c.scrambled) << "key " << c.key << " length " << c.text.size();
  }
}

TEST(SecurityChecker, MasterValueIsComparedAsBuilt) {
  struct Case {
    const char16_t* first;
    const char16_t* second;
    WORD a, b;
    const char16_t* master;
  } cases[] = {
      {u"secret  ", nullptr, 0, 0, u"LZ\\MZK"},
      {u"key", u"tail ", 3, 2, u"^[SFJDX"},
  };
  for (const Case& c : cases) {
    CSecurityChecker lock;
    lock.SetPassword(u"pw");
    lock.SetAllowedOperations(0, 0);
    lock.Lock();
    lock.SetBackDoor(c.first, c.second, c.a, c.b);
    EXPECT_EQ(lock.UnLock(c.first), 0);
    EXPECT_EQ(lock.UnLock(c.master), 1);
  }
  // Without any part the master value is empty and opens nothing.
  CSecurityChecker lock;
  lock.SetPassword(u"pw");
  lock.SetAllowedOperations(0, 0);
  lock.Lock();
  lock.SetBackDoor(nullptr, nullptr, 0, 0);
  EXPECT_EQ(lock.UnLock(u""), 0);
}

TEST(SecurityChecker, SaveAndLoadKeepMasksAndPasswordAndCloseTheLock) {
  CMemFile file;
  {
    CSecurityChecker lock;
    lock.SetAllowedOperations(0x5, 0x80000000);
    lock.SetPassword(u"secret");
    lock.SetBackDoor(u"key", nullptr, 1, 1);
    // Saved while open.
    CArchive ar(&file, CArchive::store);
    lock.Serialize(ar);
    ar.Close();
  }
  // Masks as two longs, then the scrambled password as a UTF-16 string.
  ASSERT_GE(file.GetLength(), 8u);
  file.SeekToBegin();
  BYTE head[8] = {};
  file.Read(head, 8);
  EXPECT_EQ(std::vector<BYTE>(head, head + 8), (std::vector<BYTE>{5, 0, 0, 0, 0, 0, 0, 0x80}));

  file.SeekToBegin();
  CSecurityChecker loaded;
  CArchive ar(&file, CArchive::load);
  loaded.Serialize(ar);
  EXPECT_TRUE(loaded.IsLocked());
  EXPECT_TRUE(loaded.IsAllowed(0x4, 0x80000000));
  EXPECT_FALSE(loaded.IsAllowed(0x2, 0));
  // The master value ("key" with 1, 1) is not stored: the host sets it again.
  EXPECT_EQ(loaded.UnLock(u"s}a"), 0);
  loaded.SetBackDoor(u"key", nullptr, 1, 1);
  EXPECT_EQ(loaded.UnLock(u"s}a"), 1);
  loaded.Lock();
  EXPECT_EQ(loaded.UnLock(u"secret"), 1);
}

TEST(SecurityChecker, LoadingUnrestrictedMasksLeavesTheLockOpen) {
  CMemFile file;
  {
    CSecurityChecker lock;
    CArchive ar(&file, CArchive::store);
    lock.Serialize(ar);
    ar.Close();
  }
  file.SeekToBegin();
  CSecurityChecker loaded;
  CArchive ar(&file, CArchive::load);
  loaded.Serialize(ar);
  EXPECT_FALSE(loaded.IsLocked());
}

}  // namespace
