// Transacted and direct modes: what reaches the file, and when.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "StorageTestSupport.h"

using namespace storage_test;

namespace {

constexpr DWORD kTransacted = STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_EXCLUSIVE;
constexpr DWORD kStream = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

// A compound file holding one stream "Contents".

std::vector<BYTE> ContentsOnDisk(const std::u16string& path, DWORD mode = kRead) {
  Ref<IStorage> root;
  EXPECT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, mode, nullptr, 0, root.put()));
  return root ? GetStream(root.get(), u"Contents") : std::vector<BYTE>{};
}

}  // namespace

TEST(Transaction, ChangesAreInvisibleUntilCommitAndGoneAfterRevert) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  MakeDocument(path, Bytes("first"));
  const auto before = ReadFile(folder.File("doc.drw"));

  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kTransacted, nullptr, 0, root.put()));
  Ref<IStream> contents;
  ASSERT_EQ(S_OK, root->OpenStream(u"Contents", nullptr, kStream, 0, contents.put()));
  ASSERT_EQ(S_OK, WriteStream(contents.get(), Bytes("SECOND")));
  ASSERT_EQ(S_OK, PutStream(root.get(), u"Added", Bytes("new")));
  EXPECT_EQ(before, ReadFile(folder.File("doc.drw")));

  ASSERT_EQ(S_OK, root->Revert());
  // The stream opened before the revert is cut off from the storage.
  BYTE byte;
  EXPECT_EQ(STG_E_REVERTED, contents->Read(&byte, 1, nullptr));
  EXPECT_EQ(Bytes("first"), GetStream(root.get(), u"Contents"));
  EXPECT_EQ((std::vector<std::u16string>{u"Contents"}), ElementNames(root.get()));

  ASSERT_EQ(S_OK, PutStream(root.get(), u"Contents", Bytes("third")));
  ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
  contents.Reset();
  root.Reset();
  EXPECT_EQ(Bytes("third"), ContentsOnDisk(path));
  EXPECT_EQ((std::vector<std::string>{"doc.drw"}), folder.Names());
}

TEST(Transaction, TransactedChildCommitsIntoItsParentOnly) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  MakeDocument(path, Bytes("doc"));
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kTransacted, nullptr, 0, root.put()));
  auto openItem = [&](Ref<IStorage>& item) {
    return root->OpenStorage(u"Item", nullptr, kTransacted, nullptr, 0, item.put());
  };
  {
    Ref<IStorage> item;
    ASSERT_EQ(S_OK, root->CreateStorage(u"Item", kTransacted, 0, 0, item.put()));
    ASSERT_EQ(S_OK, PutStream(item.get(), u"data", Bytes("lost")));
  }  // released without commit
  {
    Ref<IStorage> item;
    ASSERT_EQ(S_OK, openItem(item));
    EXPECT_TRUE(ElementNames(item.get()).empty());
    ASSERT_EQ(S_OK, PutStream(item.get(), u"data", Bytes("kept")));
    ASSERT_EQ(S_OK, item->Commit(STGC_ONLYIFCURRENT));
  }
  {
    Ref<IStorage> item;
    ASSERT_EQ(S_OK, openItem(item));
    EXPECT_EQ(Bytes("kept"), GetStream(item.get(), u"data"));
  }
  // The parent has not committed: the file knows nothing of the item.
  bool ok = false;
  auto onDisk = ReadWithGsf(folder.File("doc.drw"), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(0u, onDisk.count("Item/data"));
  ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
  onDisk = ReadWithGsf(folder.File("doc.drw"), &ok);
  EXPECT_EQ(Bytes("kept"), onDisk["Item/data"]);
}

TEST(Transaction, DirectFileIsWrittenOnCommitAndOnLastRelease) {
  TempFolder folder;
  std::u16string path = folder.WideFile("direct.drw");
  constexpr DWORD kDirect = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
  bool ok = false;
  {
    Ref<IStorage> root;
    ASSERT_EQ(S_OK, StgCreateDocfile(path.c_str(), kDirect | STGM_CREATE, 0, root.put()));
    Ref<IStream> stream;
    ASSERT_EQ(S_OK, root->CreateStream(u"Contents", kStream, 0, 0, stream.put()));
    ASSERT_EQ(S_OK, WriteStream(stream.get(), Bytes("one")));
    ASSERT_EQ(S_OK, stream->Commit(STGC_DEFAULT));
    EXPECT_EQ(Bytes("one"), ReadWithGsf(folder.File("direct.drw"), &ok)["Contents"]);
    ASSERT_EQ(S_OK, WriteStream(stream.get(), Bytes("two")));
    // Revert has nothing to undo in direct mode.
    EXPECT_EQ(S_OK, root->Revert());
  }
  EXPECT_EQ(Bytes("onetwo"), ContentsOnDisk(path));
}

TEST(Transaction, FailedCommitLeavesThePreviousFileWhole) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  MakeDocument(path, Bytes("precious"));
  const auto before = ReadFile(folder.File("doc.drw"));
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kTransacted, nullptr, 0, root.put()));
  std::vector<BYTE> large(1 << 20, 0x5A);
  ASSERT_EQ(S_OK, PutStream(root.get(), u"Contents", large));

  // The disk fills up while the new file is written (a file-size limit
  // makes write fail as a full disk does).
  struct rlimit saved;
  ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(0, sigaction(SIGXFSZ, &ignore, &previous));
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
  HRESULT failed = root->Commit(STGC_DEFAULT);
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_EQ(STG_E_MEDIUMFULL, failed);
  EXPECT_EQ(before, ReadFile(folder.File("doc.drw")));
  EXPECT_EQ((std::vector<std::string>{"doc.drw"}), folder.Names()) << "the half-written file is removed";
  // Nothing was lost: with room again the same changes commit.
  ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
  root.Reset();
  EXPECT_EQ(large, ContentsOnDisk(path));
}

TEST(Transaction, OnlyIfCurrentRefusesToOverwriteAnotherOpensCommit) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  MakeDocument(path, Bytes("base"));
  constexpr DWORD kShared = STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_DENY_NONE;
  Ref<IStorage> first, second;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kShared, nullptr, 0, first.put()));
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kShared, nullptr, 0, second.put()));
  ASSERT_EQ(S_OK, PutStream(first.get(), u"Contents", Bytes("first")));
  ASSERT_EQ(S_OK, PutStream(second.get(), u"Contents", Bytes("second")));
  ASSERT_EQ(S_OK, first->Commit(STGC_ONLYIFCURRENT));
  EXPECT_EQ(STG_E_NOTCURRENT, second->Commit(STGC_ONLYIFCURRENT));
  // Readers that let others write see each commit.
  constexpr DWORD kReadShared = STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_NONE;
  EXPECT_EQ(Bytes("first"), ContentsOnDisk(path, kReadShared));
  EXPECT_EQ(S_OK, second->Commit(STGC_OVERWRITE));
  EXPECT_EQ(Bytes("second"), ContentsOnDisk(path, kReadShared));
}
