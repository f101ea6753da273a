// Compound files written and read back: nested storages and streams, big
// files, files of other writers (libgsf with 4096-byte sectors, a file built
// byte by byte with a balanced directory tree), and libgsf's own reader
// reading what is written here.
#include <gsf/gsf.h>
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "platform/core/Charset.h"

using namespace storage_test;

namespace {

constexpr DWORD kCreate = STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_EXCLUSIVE | STGM_CREATE;

std::vector<BYTE> Pattern(size_t size, unsigned seed) {
  std::vector<BYTE> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<BYTE>((i * 131 + seed * 7 + (i >> 9)) & 0xFF);
  return bytes;
}

HRESULT OpenChild(IStorage* parent, const char16_t* name, DWORD mode, Ref<IStorage>& child) {
  return parent->OpenStorage(name, nullptr, mode | STGM_SHARE_EXCLUSIVE, nullptr, 0, child.put());
}

}  // namespace

TEST(StorageRoundTrip, NestedStoragesAndStreamsSurviveCommitAndReopen) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  const auto contents = Pattern(10000, 1);  // big sectors
  const auto ole = Pattern(20, 2);          // mini stream
  const auto inner = Pattern(4096, 3);      // the size where big sectors start
  {
    Ref<IStorage> root;
    ASSERT_EQ(S_OK, StgCreateDocfile(path.c_str(), kCreate, 0, root.put()));
    ASSERT_EQ(S_OK, PutStream(root.get(), u"Contents", contents));
    Ref<IStorage> item;
    ASSERT_EQ(S_OK, root->CreateStorage(u"Embedding 1", STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_EXCLUSIVE, 0, 0,
                                        item.put()));
    ASSERT_EQ(S_OK, PutStream(item.get(), u"\1Ole", ole));
    Ref<IStorage> deep;
    ASSERT_EQ(S_OK, item->CreateStorage(u"Deep", STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, deep.put()));
    ASSERT_EQ(S_OK, PutStream(deep.get(), u"x", inner));
    ASSERT_EQ(S_OK, PutStream(deep.get(), u"empty", {}));
    Ref<IStorage> empty;
    ASSERT_EQ(S_OK, root->CreateStorage(u"Empty", STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, empty.put()));
    deep.Reset();
    ASSERT_EQ(S_OK, item->Commit(STGC_DEFAULT));
    ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
  }

  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kRead, nullptr, 0, root.put()));
  // Listed in the format's order: shorter names first.
  EXPECT_EQ((std::vector<std::u16string>{u"Empty", u"Contents", u"Embedding 1"}), ElementNames(root.get()));
  // Names match without regard to case, as the framework opens "Contents".
  EXPECT_EQ(contents, GetStream(root.get(), u"CONTENTS"));
  Ref<IStorage> item, deep, empty;
  ASSERT_EQ(S_OK, OpenChild(root.get(), u"Embedding 1", STGM_READ, item));
  EXPECT_EQ(ole, GetStream(item.get(), u"\1Ole"));
  ASSERT_EQ(S_OK, OpenChild(item.get(), u"Deep", STGM_READ, deep));
  EXPECT_EQ(inner, GetStream(deep.get(), u"x"));
  EXPECT_TRUE(GetStream(deep.get(), u"empty").empty());
  ASSERT_EQ(S_OK, OpenChild(root.get(), u"Empty", STGM_READ, empty));
  EXPECT_TRUE(ElementNames(empty.get()).empty());

  STATSTG stat;
  ASSERT_EQ(S_OK, root->Stat(&stat, STATFLAG_DEFAULT));
  EXPECT_EQ(STGTY_STORAGE, stat.type);
  EXPECT_EQ(static_cast<DWORD>(kRead), stat.grfMode);
  EXPECT_EQ(folder.File("doc.drw"), platform::Utf16ToUtf8(stat.pwcsName));
  CoTaskMemFree(stat.pwcsName);

  // Another reader of the format sees the same elements and bytes.
  bool ok = false;
  auto seen = ReadWithGsf(folder.File("doc.drw"), &ok);
  ASSERT_TRUE(ok);
  std::map<std::string, std::vector<BYTE>> expected{{"Contents", contents},
                                                     {"Embedding 1/\1Ole", ole},
                                                     {"Embedding 1/Deep/x", inner},
                                                     {"Embedding 1/Deep/empty", {}},
                                                     {"Empty/", {}}};
  EXPECT_EQ(expected, seen);
}

TEST(StorageRoundTrip, FileLargeEnoughForAnExtendedFatList) {
  // Over 109 FAT sectors (about 7 MB): the list of FAT sectors continues in
  // DIFAT sectors.
  TempFolder folder;
  std::u16string path = folder.WideFile("big.drw");
  const auto big = Pattern(8u << 20, 4);
  {
    Ref<IStorage> root;
    ASSERT_EQ(S_OK, StgCreateDocfile(path.c_str(), kCreate, 0, root.put()));
    ASSERT_EQ(S_OK, PutStream(root.get(), u"Contents", big));
    ASSERT_EQ(S_OK, PutStream(root.get(), u"small", Pattern(100, 5)));
    ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
  }
  auto file = ReadFile(folder.File("big.drw"));
  ASSERT_GE(file.size(), 0x4Cu);
  EXPECT_GT(file[0x48] | (file[0x49] << 8), 0) << "the file should need DIFAT sectors";
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kRead, nullptr, 0, root.put()));
  EXPECT_EQ(big, GetStream(root.get(), u"Contents"));
  EXPECT_EQ(Pattern(100, 5), GetStream(root.get(), u"small"));
}

TEST(StorageRoundTrip, ReadsFileWithLargeSectors) {
  // Version 4 files use 4096-byte sectors; libgsf writes one here.
  TempFolder folder;
  std::string path = folder.File("v4.drw");
  const auto big = Pattern(70000, 6);
  {
    GsfOutput* sink = gsf_output_stdio_new(path.c_str(), nullptr);
    ASSERT_NE(nullptr, sink);
    GsfOutfile* file = gsf_outfile_msole_new_full(sink, 4096, 64);
    g_object_unref(sink);
    GsfOutput* stream = gsf_outfile_new_child(file, "Contents", FALSE);
    gsf_output_write(stream, big.size(), big.data());
    gsf_output_close(stream);
    g_object_unref(stream);
    GsfOutput* sub = gsf_outfile_new_child(file, "Sub", TRUE);
    GsfOutput* small = gsf_outfile_new_child(GSF_OUTFILE(sub), "small", FALSE);
    gsf_output_write(small, 3, reinterpret_cast<const guint8*>("abc"));
    gsf_output_close(small);
    g_object_unref(small);
    gsf_output_close(sub);
    g_object_unref(sub);
    ASSERT_TRUE(gsf_output_close(GSF_OUTPUT(file)));
    g_object_unref(file);
  }
  ASSERT_EQ(4, ReadFile(path)[0x1A]);
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(platform::Utf8ToUtf16(path).c_str(), nullptr, kRead, nullptr, 0, root.put()));
  EXPECT_EQ(big, GetStream(root.get(), u"Contents"));
  Ref<IStorage> sub;
  ASSERT_EQ(S_OK, OpenChild(root.get(), u"Sub", STGM_READ, sub));
  EXPECT_EQ(Bytes("abc"), GetStream(sub.get(), u"small"));
}

TEST(StorageRoundTrip, ReadsHandBuiltFileWithBalancedDirectoryTree) {
  // Writers of the format keep each storage's elements in a red-black tree
  // (left and right links), unlike libgsf's chain of right links.
  CompoundImage image;
  DWORD big = image.Add(u"Big", CompoundImage::kStream);
  DWORD data = image.Add(u"Data", CompoundImage::kStream);
  DWORD x = image.Add(u"x", CompoundImage::kStream);
  DWORD sub = image.Add(u"Sub", CompoundImage::kStorage, big, data, x);
  image.SetChild(0, sub);
  image.SetData(big, Pattern(5000, 7));
  image.SetData(data, Pattern(100, 8));
  image.SetData(x, Bytes("hello"));
  TempFolder folder;
  WriteFile(folder.File("built.drw"), image.Build());

  bool ok = false;
  auto seen = ReadWithGsf(folder.File("built.drw"), &ok);
  ASSERT_TRUE(ok) << "the fixture itself must be a sound compound file";
  EXPECT_EQ(Pattern(100, 8), seen["Data"]);

  Ref<IStorage> root;
  ASSERT_EQ(S_OK,
            StgOpenStorage(folder.WideFile("built.drw").c_str(), nullptr, kRead, nullptr, 0, root.put()));
  EXPECT_EQ((std::vector<std::u16string>{u"Big", u"Sub", u"Data"}), ElementNames(root.get()));
  EXPECT_EQ(Pattern(5000, 7), GetStream(root.get(), u"Big"));
  EXPECT_EQ(Pattern(100, 8), GetStream(root.get(), u"Data"));
  Ref<IStorage> child;
  ASSERT_EQ(S_OK, OpenChild(root.get(), u"Sub", STGM_READ, child));
  EXPECT_EQ(Bytes("hello"), GetStream(child.get(), u"x"));
}

TEST(StorageRoundTrip, NestingIsBoundedWhenCreatingAndReading) {
  TempFolder folder;
  std::u16string path = folder.WideFile("deep.drw");
  {
    Ref<IStorage> root;
    ASSERT_EQ(S_OK, StgCreateDocfile(path.c_str(), kCreate, 0, root.put()));
    std::vector<Ref<IStorage>> chain(256);
    IStorage* parent = root.get();
    for (auto& level : chain) {
      ASSERT_EQ(S_OK, parent->CreateStorage(u"d", STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, level.put()));
      parent = level.get();
    }
    ASSERT_EQ(S_OK, PutStream(parent, u"leaf", Bytes("end")));
    Ref<IStorage> tooDeep;
    EXPECT_EQ(STG_E_INVALIDFUNCTION,
              parent->CreateStorage(u"d", STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, tooDeep.put()));
    ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
    while (!chain.empty()) chain.pop_back();  // innermost first
  }
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, kRead, nullptr, 0, root.put()));
  std::vector<Ref<IStorage>> chain(256);
  IStorage* parent = root.get();
  for (auto& level : chain) {
    ASSERT_EQ(S_OK, OpenChild(parent, u"d", STGM_READ, level));
    parent = level.get();
  }
  EXPECT_EQ(Bytes("end"), GetStream(parent, u"leaf"));
  while (!chain.empty()) chain.pop_back();
}
