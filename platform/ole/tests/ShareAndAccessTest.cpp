// Opening files: sharing between opens, files and folders that cannot be
// written, plain files converted to storages, and the errors of the calls.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "StorageTestSupport.h"
#include "platform/core/Charset.h"

using namespace storage_test;

namespace {

constexpr DWORD kT = STGM_TRANSACTED;
constexpr DWORD kRwExclusive = STGM_READWRITE | kT | STGM_SHARE_EXCLUSIVE;
constexpr DWORD kReadDenyWrite = STGM_READ | kT | STGM_SHARE_DENY_WRITE;


}  // namespace

TEST(ShareAndAccess, SecondOpenFollowsTheSharingOfBoth) {
  struct Case {
    DWORD first;
    DWORD second;
    HRESULT expected;
  } cases[] = {
      {kRwExclusive, kReadDenyWrite, STG_E_SHAREVIOLATION},
      {kRwExclusive, STGM_READ | kT | STGM_SHARE_DENY_NONE, STG_E_SHAREVIOLATION},
      {kReadDenyWrite, kReadDenyWrite, S_OK},
      {kReadDenyWrite, kRwExclusive, STG_E_SHAREVIOLATION},
      {kReadDenyWrite, STGM_READWRITE | kT | STGM_SHARE_DENY_NONE, STG_E_SHAREVIOLATION},
      {STGM_READ | kT | STGM_SHARE_DENY_NONE, STGM_READWRITE | kT | STGM_SHARE_DENY_WRITE, S_OK},
      {STGM_READWRITE | kT | STGM_SHARE_DENY_WRITE, STGM_READ | kT | STGM_SHARE_DENY_NONE, S_OK},
      {STGM_READWRITE | kT | STGM_SHARE_DENY_WRITE, kReadDenyWrite, STG_E_SHAREVIOLATION},
      {STGM_READ | STGM_SHARE_EXCLUSIVE, STGM_READ | STGM_SHARE_DENY_WRITE, STG_E_SHAREVIOLATION},
  };
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  MakeDocument(path, Bytes("x"));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "first " << c.first << " second " << c.second);
    Ref<IStorage> first, second;
    ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, c.first, nullptr, 0, first.put()));
    EXPECT_EQ(c.expected, StgOpenStorage(path.c_str(), nullptr, c.second, nullptr, 0, second.put()));
    EXPECT_EQ(c.expected == S_OK, static_cast<bool>(second));
    second.Reset();
    first.Reset();
    // Once the first is closed the second open is free.
    EXPECT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, c.second, nullptr, 0, second.put()));
  }
}

TEST(ShareAndAccess, CreatingOverAnOpenFileIsRefusedAndKeepsIt) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  MakeDocument(path, Bytes("keep"));
  const auto before = ReadFile(folder.File("doc.drw"));
  Ref<IStorage> open, created;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kReadDenyWrite, nullptr, 0, open.put()));
  EXPECT_EQ(STG_E_SHAREVIOLATION,
            StgCreateDocfile(path.c_str(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, created.put()));
  EXPECT_EQ(before, ReadFile(folder.File("doc.drw")));
}

TEST(ShareAndAccess, ReadOnlyFileFailsWriteOpenWithAccessDeniedAndOpensForReading) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  MakeDocument(path, Bytes("read me"));
  ASSERT_EQ(0, chmod(folder.File("doc.drw").c_str(), 0444));
  Ref<IStorage> root;
  EXPECT_EQ(STG_E_ACCESSDENIED, StgOpenStorage(path.c_str(), nullptr, kRwExclusive, nullptr, 0, root.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED, StgCreateDocfile(path.c_str(), kRwExclusive | STGM_CONVERT, 0, root.put()));
  EXPECT_FALSE(root);

  // The fallback of a document: transacted, read-only, deny-write.
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kReadDenyWrite, nullptr, 0, root.put()));
  EXPECT_EQ(Bytes("read me"), GetStream(root.get(), u"Contents"));
  Ref<IStream> stream;
  EXPECT_EQ(STG_E_ACCESSDENIED, root->CreateStream(u"New", STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED, root->Commit(STGC_DEFAULT));
}

TEST(ShareAndAccess, ReadOnlyFolderFailsWriteOpenAndCreation) {
  TempFolder folder;
  std::string sub = folder.File("ro");
  ASSERT_EQ(0, mkdir(sub.c_str(), 0755));
  std::u16string path = folder.WideFile("ro/doc.drw");
  MakeDocument(path, Bytes("in a read-only folder"));
  ASSERT_EQ(0, chmod(sub.c_str(), 0555));
  Ref<IStorage> root;
  EXPECT_EQ(STG_E_ACCESSDENIED, StgOpenStorage(path.c_str(), nullptr, kRwExclusive, nullptr, 0, root.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED,
            StgCreateDocfile(folder.WideFile("ro/new.drw").c_str(), kRwExclusive | STGM_CREATE, 0, root.put()));
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kReadDenyWrite, nullptr, 0, root.put()));
  EXPECT_EQ(Bytes("in a read-only folder"), GetStream(root.get(), u"Contents"));
}

TEST(ShareAndAccess, PlainFileIsConvertedIntoTheContentsStream) {
  TempFolder folder;
  std::u16string path = folder.WideFile("plain.drw");
  const auto plain = Bytes("an archive written before documents were compound files");
  WriteFile(folder.File("plain.drw"), plain);
  EXPECT_EQ(S_FALSE, StgIsStorageFile(path.c_str()));
  Ref<IStorage> root;
  EXPECT_EQ(STG_E_FILEALREADYEXISTS, StgOpenStorage(path.c_str(), nullptr, kRwExclusive, nullptr, 0, root.put()));

  ASSERT_EQ(STG_S_CONVERTED, StgCreateDocfile(path.c_str(), kRwExclusive | STGM_CONVERT, 0, root.put()));
  EXPECT_EQ((std::vector<std::u16string>{u"CONTENTS"}), ElementNames(root.get()));
  EXPECT_EQ(plain, GetStream(root.get(), u"Contents"));
  EXPECT_EQ(plain, ReadFile(folder.File("plain.drw"))) << "a transacted conversion waits for Commit";
  ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
  root.Reset();
  EXPECT_EQ(S_OK, StgIsStorageFile(path.c_str()));
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kReadDenyWrite, nullptr, 0, root.put()));
  EXPECT_EQ(plain, GetStream(root.get(), u"CONTENTS"));
}

TEST(ShareAndAccess, ReadOnlyAndDirectConversions) {
  TempFolder folder;
  const auto plain = Bytes("plain bytes");
  WriteFile(folder.File("ro.drw"), plain);
  ASSERT_EQ(0, chmod(folder.File("ro.drw").c_str(), 0444));
  Ref<IStorage> root;
  // A read-only plain file is read through a transacted conversion, never written.
  ASSERT_EQ(STG_S_CONVERTED, StgCreateDocfile(folder.WideFile("ro.drw").c_str(), kReadDenyWrite | STGM_CONVERT, 0,
                                              root.put()));
  EXPECT_EQ(plain, GetStream(root.get(), u"Contents"));
  EXPECT_EQ(STG_E_ACCESSDENIED, root->Commit(STGC_DEFAULT));
  root.Reset();
  EXPECT_EQ(plain, ReadFile(folder.File("ro.drw")));

  // A direct conversion rewrites the file at once.
  WriteFile(folder.File("direct.drw"), plain);
  ASSERT_EQ(STG_S_CONVERTED, StgCreateDocfile(folder.WideFile("direct.drw").c_str(),
                                              STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CONVERT, 0, root.put()));
  EXPECT_EQ(S_OK, StgIsStorageFile(folder.WideFile("direct.drw").c_str()));
}

TEST(ShareAndAccess, OpenErrors) {
  TempFolder folder;
  WriteFile(folder.File("plain.txt"), Bytes("plain"));
  MakeDocument(folder.WideFile("doc.drw"), Bytes("x"));
  ASSERT_EQ(0, mkfifo(folder.File("pipe").c_str(), 0644));
  struct Case {
    const char* what;
    std::u16string name;
    DWORD mode;
    bool create;
    HRESULT expected;
  } cases[] = {
      {"missing file", folder.WideFile("none.drw"), kReadDenyWrite, false, STG_E_FILENOTFOUND},
      {"missing folder", folder.WideFile("none/doc.drw"), kReadDenyWrite, false, STG_E_PATHNOTFOUND},
      {"create in missing folder", folder.WideFile("none/doc.drw"), kRwExclusive, true, STG_E_PATHNOTFOUND},
      {"a folder", platform::Utf8ToUtf16(folder.path()), kReadDenyWrite, false, STG_E_ACCESSDENIED},
      {"a named pipe", folder.WideFile("pipe"), kReadDenyWrite, false, STG_E_ACCESSDENIED},
      {"not a storage", folder.WideFile("plain.txt"), kReadDenyWrite, false, STG_E_FILEALREADYEXISTS},
      {"create over a file", folder.WideFile("doc.drw"), kRwExclusive, true, STG_E_FILEALREADYEXISTS},
      {"empty name", u"", kReadDenyWrite, false, STG_E_INVALIDNAME},
      {"direct write shared", folder.WideFile("doc.drw"), STGM_READWRITE | STGM_SHARE_DENY_WRITE, false,
       STG_E_INVALIDFLAG},
      {"access 3", folder.WideFile("doc.drw"), 3 | kT | STGM_SHARE_EXCLUSIVE, false, STG_E_INVALIDFLAG},
      {"share 0x50", folder.WideFile("doc.drw"), STGM_READ | kT | 0x50, false, STG_E_INVALIDFLAG},
      {"open with create", folder.WideFile("doc.drw"), kRwExclusive | STGM_CREATE, false, STG_E_INVALIDFLAG},
      {"create and convert", folder.WideFile("doc.drw"), kRwExclusive | STGM_CREATE | STGM_CONVERT, true,
       STG_E_INVALIDFLAG},
      {"read-only create", folder.WideFile("new.drw"), kReadDenyWrite | STGM_CREATE, true, STG_E_INVALIDFLAG},
      {"unknown flag", folder.WideFile("doc.drw"), kReadDenyWrite | STGM_DELETEONRELEASE, false, STG_E_INVALIDFLAG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ref<IStorage> root;
    HRESULT hr = c.create ? StgCreateDocfile(c.name.c_str(), c.mode, 0, root.put())
                          : StgOpenStorage(c.name.c_str(), nullptr, c.mode, nullptr, 0, root.put());
    EXPECT_EQ(c.expected, hr);
    EXPECT_FALSE(root);
  }
  EXPECT_EQ(STG_E_FILENOTFOUND, StgIsStorageFile(folder.WideFile("none.drw").c_str()));
  Ref<IStorage> root;
  EXPECT_EQ(STG_E_INVALIDNAME, StgOpenStorage(nullptr, nullptr, kReadDenyWrite, nullptr, 0, root.put()));
  EXPECT_EQ(STG_E_INVALIDPOINTER, StgOpenStorage(folder.WideFile("doc.drw").c_str(), nullptr, kReadDenyWrite, nullptr,
                                                 0, nullptr));
}
