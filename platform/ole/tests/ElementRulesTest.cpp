// The rules of elements inside a storage: names, modes, one open at a time,
// access no wider than the parent's, elements cut off when their storage
// goes, and the behaviour of streams and enumerators at their edges.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"

using namespace storage_test;

namespace {

constexpr DWORD kRw = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

class ElementRules : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(S_OK, StgCreateDocfile(folder_.WideFile("doc.drw").c_str(),
                                     STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0,
                                     root_.put()));
  }
  TempFolder folder_;
  Ref<IStorage> root_;
};

}  // namespace

TEST_F(ElementRules, NamesAreCheckedAndMatchedWithoutRegardToCase) {
  const char16_t lone[] = {u'a', 0xD800, 0};
  struct Case {
    const char16_t* name;
    HRESULT expected;
  } cases[] = {
      {u"", STG_E_INVALIDNAME},
      {u"1234567890123456789012345678901", S_OK},
      {u"12345678901234567890123456789012", STG_E_INVALIDNAME},
      {u"a/b", STG_E_INVALIDNAME},
      {u"a\\b", STG_E_INVALIDNAME},
      {u"a:b", STG_E_INVALIDNAME},
      {u"a!b", STG_E_INVALIDNAME},
      {lone, STG_E_INVALIDNAME},
      {u"\x05SummaryInformation", S_OK},
      {u"Ünïcode 名前", S_OK},
      {nullptr, STG_E_INVALIDPOINTER},
  };
  for (const Case& c : cases) {
    Ref<IStream> stream;
    EXPECT_EQ(c.expected, root_->CreateStream(c.name, kRw, 0, 0, stream.put()));
  }
  Ref<IStream> stream;
  EXPECT_EQ(STG_E_FILEALREADYEXISTS, root_->CreateStream(u"ÜNÏCODE 名前", kRw, 0, 0, stream.put()));
  EXPECT_EQ(S_OK, root_->OpenStream(u"ünïcode 名前", nullptr, kRw, 0, stream.put()));
}

TEST_F(ElementRules, ModesOfElements) {
  struct Case {
    const char* what;
    DWORD mode;
    HRESULT stream;
    HRESULT storage;
  } cases[] = {
      {"not exclusive", STGM_READWRITE | STGM_SHARE_DENY_WRITE, STG_E_INVALIDFLAG, STG_E_INVALIDFLAG},
      {"no share flag", STGM_READWRITE, STG_E_INVALIDFLAG, STG_E_INVALIDFLAG},
      {"transacted", kRw | STGM_TRANSACTED, STG_E_INVALIDFUNCTION, S_OK},
      {"convert", kRw | STGM_CONVERT, STG_E_INVALIDFLAG, STG_E_INVALIDFLAG},
      {"root-only flag", kRw | STGM_PRIORITY, STG_E_INVALIDFLAG, STG_E_INVALIDFLAG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ref<IStream> stream;
    Ref<IStorage> storage;
    EXPECT_EQ(c.stream, root_->CreateStream(u"s", c.mode, 0, 0, stream.put()));
    EXPECT_EQ(c.storage, root_->CreateStorage(u"t", c.mode, 0, 0, storage.put()));
    EXPECT_EQ(c.stream == S_OK, static_cast<bool>(stream));
  }
  Ref<IStream> stream;
  ASSERT_EQ(S_OK, PutStream(root_.get(), u"s", Bytes("x")));
  EXPECT_EQ(STG_E_INVALIDFLAG, root_->OpenStream(u"s", nullptr, kRw | STGM_CREATE, 0, stream.put()));
  EXPECT_EQ(STG_E_INVALIDPARAMETER, root_->CreateStream(u"s", kRw, 1, 0, stream.put()));
}

TEST_F(ElementRules, OneOpenAtATimeAndWhatAnOpenElementBlocks) {
  ASSERT_EQ(S_OK, PutStream(root_.get(), u"a", Bytes("aaa")));
  Ref<IStream> open, again;
  ASSERT_EQ(S_OK, root_->OpenStream(u"a", nullptr, kRw, 0, open.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED, root_->OpenStream(u"a", nullptr, kRw, 0, again.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED, root_->CreateStream(u"a", kRw | STGM_CREATE, 0, 0, again.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED, root_->RenameElement(u"a", u"b"));
  EXPECT_EQ(STG_E_FILEALREADYEXISTS, root_->CreateStream(u"A", kRw, 0, 0, again.put()));
  // Destroying it cuts the open stream off.
  ASSERT_EQ(S_OK, root_->DestroyElement(u"a"));
  EXPECT_EQ(STG_E_REVERTED, open->Write("x", 1, nullptr));
  EXPECT_EQ(STG_E_FILENOTFOUND, root_->OpenStream(u"a", nullptr, kRw, 0, again.put()));
  EXPECT_EQ(STG_E_FILENOTFOUND, root_->DestroyElement(u"a"));
}

TEST_F(ElementRules, CreateReplacesAndRenameMoves) {
  Ref<IStorage> sub;
  ASSERT_EQ(S_OK, root_->CreateStorage(u"item", kRw, 0, 0, sub.put()));
  ASSERT_EQ(S_OK, PutStream(sub.get(), u"inside", Bytes("x")));
  sub.Reset();
  Ref<IStream> stream;
  EXPECT_EQ(STG_E_FILENOTFOUND, root_->OpenStream(u"item", nullptr, kRw, 0, stream.put())) << "a storage is no stream";
  // STGM_CREATE replaces an element of either kind.
  ASSERT_EQ(S_OK, PutStream(root_.get(), u"item", Bytes("now a stream")));
  EXPECT_EQ(Bytes("now a stream"), GetStream(root_.get(), u"item"));

  ASSERT_EQ(S_OK, PutStream(root_.get(), u"other", Bytes("o")));
  EXPECT_EQ(STG_E_FILEALREADYEXISTS, root_->RenameElement(u"item", u"OTHER"));
  EXPECT_EQ(STG_E_FILENOTFOUND, root_->RenameElement(u"missing", u"x"));
  ASSERT_EQ(S_OK, root_->RenameElement(u"item", u"ITEM"));  // a change of case only
  ASSERT_EQ(S_OK, root_->RenameElement(u"other", u"zz"));
  EXPECT_EQ((std::vector<std::u16string>{u"zz", u"ITEM"}), ElementNames(root_.get()));
  EXPECT_EQ(Bytes("o"), GetStream(root_.get(), u"zz"));
}

TEST_F(ElementRules, AccessIsNoWiderThanTheParents) {
  ASSERT_EQ(S_OK, PutStream(root_.get(), u"s", Bytes("data")));
  Ref<IStorage> sub;
  ASSERT_EQ(S_OK, root_->CreateStorage(u"sub", kRw, 0, 0, sub.put()));
  ASSERT_EQ(S_OK, PutStream(sub.get(), u"inner", Bytes("i")));
  sub.Reset();
  Ref<IStorage> readOnly;
  ASSERT_EQ(S_OK,
            root_->OpenStorage(u"sub", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, readOnly.put()));
  Ref<IStream> stream;
  EXPECT_EQ(STG_E_ACCESSDENIED, readOnly->OpenStream(u"inner", nullptr, kRw, 0, stream.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED, readOnly->CreateStream(u"new", kRw, 0, 0, stream.put()));
  EXPECT_EQ(STG_E_ACCESSDENIED, readOnly->DestroyElement(u"inner"));
  EXPECT_EQ(STG_E_ACCESSDENIED, readOnly->RenameElement(u"inner", u"x"));
  EXPECT_EQ(STG_E_ACCESSDENIED, readOnly->Commit(STGC_DEFAULT));

  ASSERT_EQ(S_OK, root_->OpenStream(u"s", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put()));
  ULARGE_INTEGER size{};
  EXPECT_EQ(STG_E_ACCESSDENIED, stream->Write("x", 1, nullptr));
  EXPECT_EQ(STG_E_ACCESSDENIED, stream->SetSize(size));
  ASSERT_EQ(S_OK, root_->OpenStream(u"s", nullptr, STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, stream.put()));
  BYTE byte;
  EXPECT_EQ(STG_E_ACCESSDENIED, stream->Read(&byte, 1, nullptr));
}

TEST_F(ElementRules, ReleasingAStorageCutsOffWhatWasOpenedFromIt) {
  Ref<IStorage> sub;
  ASSERT_EQ(S_OK, root_->CreateStorage(u"sub", kRw | STGM_TRANSACTED, 0, 0, sub.put()));
  Ref<IStream> stream;
  ASSERT_EQ(S_OK, sub->CreateStream(u"s", kRw, 0, 0, stream.put()));
  Ref<IStorage> deeper;
  ASSERT_EQ(S_OK, sub->CreateStorage(u"d", kRw, 0, 0, deeper.put()));
  root_.Reset();
  STATSTG stat;
  EXPECT_EQ(STG_E_REVERTED, sub->Stat(&stat, STATFLAG_NONAME));
  EXPECT_EQ(STG_E_REVERTED, sub->Commit(STGC_DEFAULT));
  EXPECT_EQ(STG_E_REVERTED, stream->Write("x", 1, nullptr));
  EXPECT_EQ(STG_E_REVERTED, deeper->CreateStream(u"x", kRw, 0, 0, stream.put()));
}

TEST_F(ElementRules, StreamPositionSizeAndGaps) {
  Ref<IStream> stream;
  ASSERT_EQ(S_OK, root_->CreateStream(u"s", kRw, 0, 0, stream.put()));
  LARGE_INTEGER move;
  ULARGE_INTEGER at{};
  move.QuadPart = 10;
  ASSERT_EQ(S_OK, stream->Seek(move, STREAM_SEEK_SET, &at));
  ASSERT_EQ(S_OK, WriteStream(stream.get(), Bytes("end")));
  std::vector<BYTE> expected(10, 0);
  expected.insert(expected.end(), {'e', 'n', 'd'});
  EXPECT_EQ(expected, ReadStream(stream.get()));

  move.QuadPart = -1;
  ASSERT_EQ(S_OK, stream->Seek(move, STREAM_SEEK_END, &at));
  EXPECT_EQ(12u, at.QuadPart);
  move.QuadPart = -13;
  EXPECT_EQ(STG_E_INVALIDFUNCTION, stream->Seek(move, STREAM_SEEK_CUR, &at));
  EXPECT_EQ(STG_E_INVALIDFUNCTION, stream->Seek(move, 7, &at));
  move.QuadPart = 100;
  ASSERT_EQ(S_OK, stream->Seek(move, STREAM_SEEK_SET, &at));
  BYTE buffer[4];
  ULONG got = 99;
  EXPECT_EQ(S_OK, stream->Read(buffer, sizeof buffer, &got));
  EXPECT_EQ(0u, got) << "reading past the end reads nothing";

  ULARGE_INTEGER size;
  size.QuadPart = 2;
  ASSERT_EQ(S_OK, stream->SetSize(size));
  EXPECT_EQ(Bytes(std::string(2, '\0')), ReadStream(stream.get()));
  size.QuadPart = 0x100000000ull;
  EXPECT_EQ(STG_E_MEDIUMFULL, stream->SetSize(size)) << "beyond what the file format holds";
  STATSTG stat;
  ASSERT_EQ(S_OK, stream->Stat(&stat, STATFLAG_DEFAULT));
  EXPECT_EQ(2u, stat.cbSize.QuadPart);
  EXPECT_EQ(std::u16string(u"s"), stat.pwcsName);
  EXPECT_EQ(static_cast<DWORD>(STGTY_STREAM), stat.type);
  CoTaskMemFree(stat.pwcsName);
  EXPECT_EQ(STG_E_INVALIDFLAG, stream->Stat(&stat, STATFLAG_NOOPEN));
}

TEST_F(ElementRules, EnumeratorListsTakeTheStateWhenMade) {
  for (const char16_t* name : {u"c", u"a", u"bb"}) ASSERT_EQ(S_OK, PutStream(root_.get(), name, Bytes("1")));
  Ref<IEnumSTATSTG> list;
  ASSERT_EQ(S_OK, root_->EnumElements(0, nullptr, 0, list.put()));
  ASSERT_EQ(S_OK, root_->DestroyElement(u"a"));  // not seen by the list already made
  STATSTG stats[4];
  ULONG got = 0;
  EXPECT_EQ(STG_E_INVALIDPARAMETER, list->Next(2, stats, nullptr));
  ASSERT_EQ(S_OK, list->Next(1, stats, &got));
  EXPECT_EQ(std::u16string(u"a"), stats[0].pwcsName);
  CoTaskMemFree(stats[0].pwcsName);
  Ref<IEnumSTATSTG> copy;
  ASSERT_EQ(S_OK, list->Clone(copy.put()));
  ASSERT_EQ(S_FALSE, list->Next(4, stats, &got));
  ASSERT_EQ(2u, got);
  EXPECT_EQ(std::u16string(u"c"), stats[0].pwcsName);
  EXPECT_EQ(std::u16string(u"bb"), stats[1].pwcsName);
  for (ULONG i = 0; i < got; ++i) CoTaskMemFree(stats[i].pwcsName);
  EXPECT_EQ(S_FALSE, copy->Skip(5));
  EXPECT_EQ(S_OK, copy->Reset());
  EXPECT_EQ(S_OK, copy->Skip(3));
  EXPECT_EQ(S_FALSE, copy->Next(1, stats, &got));
  EXPECT_EQ(0u, got);
}
