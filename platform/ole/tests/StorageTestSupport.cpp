#include "StorageTestSupport.h"

#include <gsf/gsf.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/core/Charset.h"
#include "platform/testsupport/FileBytes.h"

namespace storage_test {

namespace fs = std::filesystem;

std::u16string TempFolder::WideFile(const std::string& name) const { return platform::Utf8ToUtf16(File(name)); }

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(path())) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<BYTE> ReadFile(const std::string& path) {
  const std::string bytes = testsupport::ReadFileBytes(path);
  return std::vector<BYTE>(bytes.begin(), bytes.end());
}

void WriteFile(const std::string& path, const std::vector<BYTE>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<BYTE> Bytes(std::string_view text) { return std::vector<BYTE>(text.begin(), text.end()); }

std::vector<BYTE> ReadStream(IStream* stream) {
  LARGE_INTEGER zero{};
  EXPECT_EQ(S_OK, stream->Seek(zero, STREAM_SEEK_SET, nullptr));
  std::vector<BYTE> all;
  BYTE chunk[1000];
  ULONG got = 0;
  do {
    EXPECT_EQ(S_OK, stream->Read(chunk, sizeof chunk, &got));
    all.insert(all.end(), chunk, chunk + got);
  } while (got > 0);
  return all;
}

HRESULT WriteStream(IStream* stream, const std::vector<BYTE>& bytes) {
  ULONG written = 0;
  HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  if (SUCCEEDED(hr) && written != bytes.size()) return E_FAIL;
  return hr;
}

HRESULT PutStream(IStorage* storage, const char16_t* name, const std::vector<BYTE>& bytes) {
  Ref<IStream> stream;
  HRESULT hr = storage->CreateStream(name, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, stream.put());
  if (FAILED(hr)) return hr;
  return WriteStream(stream.get(), bytes);
}

void MakeDocument(const std::u16string& path, const std::vector<BYTE>& contents) {
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgCreateDocfile(path.c_str(), STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_EXCLUSIVE | STGM_CREATE,
                                   0, root.put()));
  ASSERT_EQ(S_OK, PutStream(root.get(), u"Contents", contents));
  ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
}

std::vector<BYTE> GetStream(IStorage* storage, const char16_t* name) {
  Ref<IStream> stream;
  HRESULT hr = storage->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put());
  EXPECT_EQ(S_OK, hr) << "opening " << platform::Utf16ToUtf8(name);
  if (FAILED(hr)) return {};
  return ReadStream(stream.get());
}

std::vector<std::u16string> ElementNames(IStorage* storage) {
  std::vector<std::u16string> names;
  Ref<IEnumSTATSTG> list;
  EXPECT_EQ(S_OK, storage->EnumElements(0, nullptr, 0, list.put()));
  if (!list) return names;
  STATSTG stat;
  while (list->Next(1, &stat, nullptr) == S_OK) {
    names.emplace_back(stat.pwcsName);
    CoTaskMemFree(stat.pwcsName);
  }
  return names;
}

namespace {

void WalkGsf(GsfInfile* folder, const std::string& prefix, std::map<std::string, std::vector<BYTE>>& out) {
  int count = gsf_infile_num_children(folder);
  if (count == 0 && !prefix.empty()) out[prefix] = {};
  for (int i = 0; i < count; ++i) {
    GsfInput* child = gsf_infile_child_by_index(folder, i);
    std::string name = prefix + gsf_infile_name_by_index(folder, i);
    if (GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0) {
      WalkGsf(GSF_INFILE(child), name + "/", out);
    } else {
      std::vector<BYTE> data(static_cast<size_t>(gsf_input_size(child)));
      if (!data.empty()) gsf_input_read(child, data.size(), data.data());
      out[name] = std::move(data);
    }
    g_object_unref(child);
  }
}

}  // namespace

std::map<std::string, std::vector<BYTE>> ReadWithGsf(const std::string& path, bool* ok) {
  std::map<std::string, std::vector<BYTE>> out;
  *ok = false;
  GsfInput* input = gsf_input_stdio_new(path.c_str(), nullptr);
  if (!input) return out;
  GsfInfile* file = gsf_infile_msole_new(input, nullptr);
  g_object_unref(input);
  if (!file) return out;
  WalkGsf(file, "", out);
  g_object_unref(file);
  *ok = true;
  return out;
}

void PutLe32(std::vector<BYTE>& bytes, size_t offset, DWORD value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<BYTE>(value >> (8 * i));
}

void PutLe16(std::vector<BYTE>& bytes, size_t offset, WORD value) {
  bytes.at(offset) = static_cast<BYTE>(value);
  bytes.at(offset + 1) = static_cast<BYTE>(value >> 8);
}

CompoundImage::CompoundImage() { entries_.push_back({u"Root Entry", 5, kNone, kNone, kNone, {}}); }

DWORD CompoundImage::Add(std::u16string name, BYTE type, DWORD left, DWORD right, DWORD child) {
  entries_.push_back({std::move(name), type, left, right, child, {}});
  return static_cast<DWORD>(entries_.size() - 1);
}

std::vector<BYTE> CompoundImage::Build() {
  constexpr DWORD kEnd = 0xFFFFFFFE;
  constexpr DWORD kFree = 0xFFFFFFFF;
  constexpr DWORD kFatSect = 0xFFFFFFFD;
  auto ceilDiv = [](size_t a, size_t b) { return static_cast<DWORD>((a + b - 1) / b); };

  std::vector<BYTE> mini;
  std::vector<DWORD> miniFat;
  DWORD bigSectors = 0;
  for (size_t i = 1; i < entries_.size(); ++i) {
    Entry& e = entries_[i];
    e.start = kEnd;
    if (e.type != kStream || e.data.empty()) continue;
    if (e.data.size() < 4096) {
      DWORD count = ceilDiv(e.data.size(), 64);
      e.start = static_cast<DWORD>(miniFat.size());
      for (DWORD k = 0; k < count; ++k) miniFat.push_back(k + 1 < count ? e.start + k + 1 : kEnd);
      mini.insert(mini.end(), e.data.begin(), e.data.end());
      mini.resize(miniFat.size() * 64, 0);
    } else {
      bigSectors += ceilDiv(e.data.size(), 512);
    }
  }
  DWORD dirSectors = ceilDiv(entries_.size() * 128, 512);
  DWORD miniFatSectors = ceilDiv(miniFat.size() * 4, 512);
  DWORD miniSectors = ceilDiv(mini.size(), 512);
  DWORD others = dirSectors + miniFatSectors + miniSectors + bigSectors;
  DWORD fatSectors = 1;
  while (fatSectors * 128 < others + fatSectors) ++fatSectors;
  if (fatSectors > 109) throw std::runtime_error("fixture too large");

  DWORD next = fatSectors;
  firstDirSector_ = next;
  next += dirSectors;
  firstMiniFatSector_ = miniFatSectors ? next : kEnd;
  next += miniFatSectors;
  DWORD miniStart = miniSectors ? next : kEnd;
  next += miniSectors;
  for (size_t i = 1; i < entries_.size(); ++i) {
    Entry& e = entries_[i];
    if (e.type == kStream && e.data.size() >= 4096) {
      e.start = next;
      next += ceilDiv(e.data.size(), 512);
    }
  }
  sectorCount_ = next;

  std::vector<BYTE> file(SectorOffset(next), 0);
  const BYTE signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(signature, signature + 8, file.begin());
  PutLe16(file, 0x18, 0x3E);
  PutLe16(file, 0x1A, 3);
  PutLe16(file, 0x1C, 0xFFFE);
  PutLe16(file, 0x1E, 9);
  PutLe16(file, 0x20, 6);
  PutLe32(file, 0x2C, fatSectors);
  PutLe32(file, 0x30, firstDirSector_);
  PutLe32(file, 0x38, 4096);
  PutLe32(file, 0x3C, firstMiniFatSector_);
  PutLe32(file, 0x40, miniFatSectors);
  PutLe32(file, 0x44, kEnd);
  for (DWORD i = 0; i < 109; ++i) PutLe32(file, 0x4C + 4 * i, i < fatSectors ? i : kFree);

  for (DWORD s = 0; s < fatSectors * 128; ++s) PutLe32(file, FatEntryOffset(s), s < fatSectors ? kFatSect : kFree);
  auto chain = [&](DWORD start, DWORD count) {
    for (DWORD k = 0; k < count; ++k) PutLe32(file, FatEntryOffset(start + k), k + 1 < count ? start + k + 1 : kEnd);
  };
  chain(firstDirSector_, dirSectors);
  if (miniFatSectors) chain(firstMiniFatSector_, miniFatSectors);
  if (miniSectors) chain(miniStart, miniSectors);

  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    size_t at = EntryOffset(static_cast<DWORD>(i));
    for (size_t k = 0; k < e.name.size(); ++k) PutLe16(file, at + 2 * k, e.name[k]);
    PutLe16(file, at + 64, static_cast<WORD>((e.name.size() + 1) * 2));
    file[at + 66] = e.type;
    file[at + 67] = 1;
    PutLe32(file, at + 68, e.left);
    PutLe32(file, at + 72, e.right);
    PutLe32(file, at + 76, e.child);
    PutLe32(file, at + 116, i == 0 ? miniStart : e.start);
    PutLe32(file, at + 120, static_cast<DWORD>(i == 0 ? mini.size() : e.data.size()));
    if (e.type == kStream && e.data.size() >= 4096) {
      chain(e.start, ceilDiv(e.data.size(), 512));
      std::copy(e.data.begin(), e.data.end(), file.begin() + static_cast<std::ptrdiff_t>(SectorOffset(e.start)));
    }
  }
  // Unused directory slots are empty entries that link nowhere.
  for (size_t i = entries_.size(); i < dirSectors * 4u; ++i) {
    size_t at = EntryOffset(static_cast<DWORD>(i));
    PutLe32(file, at + 68, kNone);
    PutLe32(file, at + 72, kNone);
    PutLe32(file, at + 76, kNone);
  }
  for (DWORD k = 0; k < miniFatSectors * 128; ++k)
    PutLe32(file, MiniFatEntryOffset(k), k < miniFat.size() ? miniFat[k] : kFree);
  if (miniSectors) std::copy(mini.begin(), mini.end(), file.begin() + static_cast<std::ptrdiff_t>(SectorOffset(miniStart)));
  return file;
}

}  // namespace storage_test
