// Damaged and hostile compound files give an error, never a crash, a leak,
// a huge allocation or an endless walk.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "StorageTestSupport.h"

using namespace storage_test;

namespace {

constexpr DWORD kEnd = 0xFFFFFFFE;

// A sound file: Root -> {Big (big sectors), Sub -> {x}, Data (mini stream)}.
struct Fixture {
  CompoundImage image;
  DWORD big, sub, data, x;
  std::vector<BYTE> file;

  Fixture() {
    big = image.Add(u"Big", CompoundImage::kStream);
    data = image.Add(u"Data", CompoundImage::kStream);
    x = image.Add(u"x", CompoundImage::kStream);
    sub = image.Add(u"Sub", CompoundImage::kStorage, big, data, x);
    image.SetChild(0, sub);
    image.SetData(big, std::vector<BYTE>(5000, 'B'));
    image.SetData(data, std::vector<BYTE>(100, 'D'));
    image.SetData(x, std::vector<BYTE>(5, 'x'));
    file = image.Build();
  }
  size_t Entry(DWORD entry, size_t field) const { return image.EntryOffset(entry) + field; }
};

// Opens the bytes as a file and reads every element, as a document load
// would; returns the first failure.
HRESULT OpenAndReadAll(const std::vector<BYTE>& bytes) {
  TempFolder folder;
  WriteFile(folder.File("f.drw"), bytes);
  Ref<IStorage> root;
  HRESULT hr = StgOpenStorage(folder.WideFile("f.drw").c_str(), nullptr, kRead, nullptr, 0, root.put());
  if (FAILED(hr)) {
    EXPECT_FALSE(root);
    return hr;
  }
  std::function<void(IStorage*)> walk = [&](IStorage* storage) {
    Ref<IEnumSTATSTG> list;
    EXPECT_EQ(S_OK, storage->EnumElements(0, nullptr, 0, list.put()));
    STATSTG stat;
    while (list->Next(1, &stat, nullptr) == S_OK) {
      if (stat.type == STGTY_STORAGE) {
        Ref<IStorage> child;
        EXPECT_EQ(S_OK, storage->OpenStorage(stat.pwcsName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                             child.put()));
        if (child) walk(child.get());
      } else {
        EXPECT_EQ(stat.cbSize.QuadPart, GetStream(storage, stat.pwcsName).size());
      }
      CoTaskMemFree(stat.pwcsName);
    }
  };
  walk(root.get());
  return S_OK;
}

}  // namespace

TEST(DamagedFile, SoundFixtureReads) { EXPECT_EQ(S_OK, OpenAndReadAll(Fixture().file)); }

TEST(DamagedFile, EachDamageGivesAnError) {
  struct Case {
    const char* what;
    std::function<void(Fixture&)> damage;
    HRESULT expected;
  };
  const Case cases[] = {
      {"byte order", [](Fixture& f) { PutLe16(f.file, 0x1C, 0xFEFF); }, STG_E_INVALIDHEADER},
      {"sector size", [](Fixture& f) { PutLe16(f.file, 0x1E, 10); }, STG_E_INVALIDHEADER},
      {"version", [](Fixture& f) { PutLe16(f.file, 0x1A, 5); }, STG_E_INVALIDHEADER},
      {"mini sector size", [](Fixture& f) { PutLe16(f.file, 0x20, 7); }, STG_E_INVALIDHEADER},
      {"mini stream cutoff", [](Fixture& f) { PutLe32(f.file, 0x38, 0); }, STG_E_INVALIDHEADER},
      {"no FAT", [](Fixture& f) { PutLe32(f.file, 0x2C, 0); }, STG_E_DOCFILECORRUPT},
      {"more FAT sectors than the file", [](Fixture& f) { PutLe32(f.file, 0x2C, 100000); }, STG_E_DOCFILECORRUPT},
      {"FAT sector out of range", [](Fixture& f) { PutLe32(f.file, 0x4C, 9999); }, STG_E_DOCFILECORRUPT},
      {"FAT list runs into a loop of DIFAT sectors",
       [](Fixture& f) {
         // 237 FAT sectors: 109 listed in the header, 127 in the first DIFAT
         // sector, and the next DIFAT sector is that one again.
         DWORD difat = f.image.SectorCount();
         f.file.resize(f.file.size() + 240 * 512, 0);
         PutLe32(f.file, 0x2C, 237);
         PutLe32(f.file, 0x44, difat);
         PutLe32(f.file, 0x48, 2);
         PutLe32(f.file, CompoundImage::SectorOffset(difat) + 127 * 4, difat);
       },
       STG_E_DOCFILECORRUPT},
      {"directory out of range", [](Fixture& f) { PutLe32(f.file, 0x30, 5000); }, STG_E_DOCFILECORRUPT},
      {"chain loops back",
       [](Fixture& f) {
         DWORD first = f.image.FirstSector(f.big);
         PutLe32(f.file, f.image.FatEntryOffset(first + 9), first);
       },
       STG_E_DOCFILECORRUPT},
      {"chains share a sector",
       [](Fixture& f) { PutLe32(f.file, f.image.FatEntryOffset(f.image.FirstSector(f.big) + 3), 1); },
       STG_E_DOCFILECORRUPT},
      {"chain ends on a free sector",
       [](Fixture& f) { PutLe32(f.file, f.image.FatEntryOffset(f.image.FirstSector(f.big) + 2), 0xFFFFFFFF); },
       STG_E_DOCFILECORRUPT},
      {"stream larger than its chain", [](Fixture& f) { PutLe32(f.file, f.Entry(f.big, 120), 9000); },
       STG_E_DOCFILECORRUPT},
      {"stream claims 4 GB", [](Fixture& f) { PutLe32(f.file, f.Entry(f.big, 120), 0xFFFFFFF0); },
       STG_E_DOCFILECORRUPT},
      {"small stream larger than its mini chain", [](Fixture& f) { PutLe32(f.file, f.Entry(f.data, 120), 3000); },
       STG_E_DOCFILECORRUPT},
      {"mini chain loops", [](Fixture& f) { PutLe32(f.file, f.image.MiniFatEntryOffset(1), 0); },
       STG_E_DOCFILECORRUPT},
      {"mini stream beyond its chain", [](Fixture& f) { PutLe32(f.file, f.Entry(0, 120), 100000); },
       STG_E_DOCFILECORRUPT},
      {"root is not a root", [](Fixture& f) { f.file[f.Entry(0, 66)] = 1; }, STG_E_DOCFILECORRUPT},
      {"entry links to itself", [](Fixture& f) { PutLe32(f.file, f.Entry(f.sub, 68), f.sub); },
       STG_E_DOCFILECORRUPT},
      {"storage contains the root", [](Fixture& f) { PutLe32(f.file, f.Entry(f.sub, 76), 0); },
       STG_E_DOCFILECORRUPT},
      {"child links back to its storage", [](Fixture& f) { PutLe32(f.file, f.Entry(f.x, 72), f.sub); },
       STG_E_DOCFILECORRUPT},
      {"link to an unused entry", [](Fixture& f) { PutLe32(f.file, f.Entry(f.data, 72), 5); }, STG_E_DOCFILECORRUPT},
      {"link past the directory", [](Fixture& f) { PutLe32(f.file, f.Entry(f.data, 72), 4000); },
       STG_E_DOCFILECORRUPT},
      {"unknown entry type", [](Fixture& f) { f.file[f.Entry(f.data, 66)] = 7; }, STG_E_DOCFILECORRUPT},
      {"empty name", [](Fixture& f) { PutLe16(f.file, f.Entry(f.data, 64), 2); }, STG_E_DOCFILECORRUPT},
      {"name too long", [](Fixture& f) { PutLe16(f.file, f.Entry(f.data, 64), 66); }, STG_E_DOCFILECORRUPT},
      {"odd name length", [](Fixture& f) { PutLe16(f.file, f.Entry(f.data, 64), 7); }, STG_E_DOCFILECORRUPT},
      {"NUL inside a name", [](Fixture& f) { PutLe16(f.file, f.Entry(f.data, 2), 0); }, STG_E_DOCFILECORRUPT},
      {"unpaired surrogate", [](Fixture& f) { PutLe16(f.file, f.Entry(f.data, 0), 0xD800); }, STG_E_DOCFILECORRUPT},
      {"two elements of one name",
       [](Fixture& f) {
         // "Sub" holds "Big"; "bIG" in its place of "Data" clashes without regard to case.
         const char16_t name[] = u"bIG";
         for (int i = 0; i < 4; ++i) PutLe16(f.file, f.Entry(f.data, 2 * i), name[i]);
         PutLe16(f.file, f.Entry(f.data, 64), 8);
       },
       STG_E_DOCFILECORRUPT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fixture f;
    c.damage(f);
    EXPECT_EQ(c.expected, OpenAndReadAll(f.file));
  }
}

TEST(DamagedFile, TruncatedFilesGiveAnError) {
  Fixture f;
  const std::vector<BYTE>& sound = f.file;
  auto cut = [&](size_t size) { return std::vector<BYTE>(sound.begin(), sound.begin() + static_cast<long>(size)); };
  EXPECT_EQ(STG_E_FILEALREADYEXISTS, OpenAndReadAll({})) << "an empty file is no storage";
  for (size_t size : {size_t{8}, size_t{100}, size_t{511}}) {
    EXPECT_EQ(STG_E_INVALIDHEADER, OpenAndReadAll(cut(size))) << size;
  }
  // Cut at and between sectors, down to the last byte in use: whatever
  // structure or stream lies beyond the cut is missing.
  size_t lastInUse = CompoundImage::SectorOffset(f.image.FirstSector(f.big) + 9) + 5000 % 512;
  for (size_t size = 512; size < lastInUse; size += 97) {
    EXPECT_EQ(STG_E_DOCFILECORRUPT, OpenAndReadAll(cut(size))) << size;
  }
  EXPECT_EQ(STG_E_DOCFILECORRUPT, OpenAndReadAll(cut(lastInUse - 1)));
  // Only the padding of the last sector missing: nothing is lost.
  EXPECT_EQ(S_OK, OpenAndReadAll(cut(lastInUse)));
}

TEST(DamagedFile, GarbageAndRandomDamageNeverCrash) {
  std::mt19937 random(20260101);
  std::vector<BYTE> garbage(4096);
  for (auto& b : garbage) b = static_cast<BYTE>(random());
  EXPECT_EQ(STG_E_FILEALREADYEXISTS, OpenAndReadAll(garbage));
  std::copy_n(Fixture().file.begin(), 8, garbage.begin());
  EXPECT_NE(S_OK, OpenAndReadAll(garbage));
  // Bytes flipped anywhere in a sound file: whatever the result, it is an
  // orderly one (the run under the sanitizers catches the rest).
  const std::vector<BYTE> sound = Fixture().file;
  for (int round = 0; round < 200; ++round) {
    std::vector<BYTE> damaged = sound;
    for (int k = 0; k < 4; ++k) damaged[random() % 2048] = static_cast<BYTE>(random());
    HRESULT hr = OpenAndReadAll(damaged);
    EXPECT_TRUE(hr == S_OK || hr == STG_E_INVALIDHEADER || hr == STG_E_DOCFILECORRUPT) << std::hex << hr;
  }
}

TEST(DamagedFile, NestingBeyondTheBoundIsRefused) {
  CompoundImage image;
  DWORD parent = 0;
  for (int level = 0; level < 300; ++level) {
    DWORD storage = image.Add(u"d", CompoundImage::kStorage);
    image.SetChild(parent, storage);
    parent = storage;
  }
  EXPECT_EQ(STG_E_DOCFILECORRUPT, OpenAndReadAll(image.Build()));
}
