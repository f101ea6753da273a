// An archive written inside a storage through COleStreamFile, as a compound
// document stores itself, and the errors of the stream file.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "platform/core/Archive.h"
#include "platform/core/Charset.h"
#include "platform/ole/OleStreamFile.h"

using namespace storage_test;

namespace {

constexpr DWORD kDocument = STGM_READWRITE | STGM_TRANSACTED | STGM_SHARE_EXCLUSIVE;

}  // namespace

TEST(OleStreamFile, ArchiveRoundTripInsideAStorage) {
  TempFolder folder;
  std::u16string path = folder.WideFile("doc.drw");
  {
    Ref<IStorage> root;
    ASSERT_EQ(S_OK, StgCreateDocfile(path.c_str(), kDocument | STGM_CREATE, 0, root.put()));
    COleStreamFile file;
    ASSERT_TRUE(file.CreateStream(root.get(), "Contents"));
    {
      CArchive ar(&file, CArchive::store);
      ar << WORD(18) << LONG(-5) << CStringW(u"图表") << DWORD(0xDEADBEEF);
      for (int i = 0; i < 3000; ++i) ar << DWORD(i);  // past one buffer of the archive
      ar.Close();
    }
    // A UTF-16 string is its mark (FF FE FF), its length and its units.
    EXPECT_EQ(2u + 4 + (3 + 1 + 4) + 4 + 3000 * 4, file.GetLength());
    file.Close();
    ASSERT_EQ(S_OK, root->Commit(STGC_DEFAULT));
  }
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE, nullptr,
                                 0, root.put()));
  COleStreamFile file;
  ASSERT_TRUE(file.OpenStream(root.get(), u"Contents", CFile::modeRead | CFile::shareExclusive));
  EXPECT_EQ(folder.File("doc.drw"), platform::Utf16ToUtf8(file.GetFilePath().GetString()));
  CArchive ar(&file, CArchive::load);
  WORD version;
  LONG number;
  CStringW text;
  DWORD mark;
  ar >> version >> number >> text >> mark;
  EXPECT_EQ(18, version);
  EXPECT_EQ(-5, number);
  EXPECT_EQ(CStringW(u"图表"), text);
  EXPECT_EQ(0xDEADBEEFu, mark);
  DWORD value = 0;
  for (int i = 0; i < 3000; ++i) ar >> value;
  EXPECT_EQ(2999u, value);
  EXPECT_THROW(ar >> value, CArchiveException) << "the end of the stream ends the archive";
}

TEST(OleStreamFile, FailuresReportTheStorageError) {
  TempFolder folder;
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgCreateDocfile(folder.WideFile("doc.drw").c_str(), kDocument | STGM_CREATE, 0, root.put()));
  COleStreamFile file;
  CFileException error;
  EXPECT_FALSE(file.OpenStream(root.get(), u"Missing", CFile::modeRead | CFile::shareExclusive, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_EQ(STG_E_FILENOTFOUND, error.m_lOsError);
  EXPECT_EQ(CStringW(u"Missing"), error.m_strFileName);
  ASSERT_TRUE(file.CreateStream(root.get(), u"Contents"));
  COleStreamFile second;
  EXPECT_FALSE(second.CreateStream(root.get(), u"Contents", CFile::modeReadWrite | CFile::shareExclusive, &error))
      << "without modeCreate an existing stream is not replaced";
  EXPECT_EQ(STG_E_FILEALREADYEXISTS, error.m_lOsError);
  EXPECT_FALSE(second.OpenStream(root.get(), u"Contents", CFile::modeRead | CFile::shareDenyWrite, &error));
  EXPECT_EQ(STG_E_INVALIDFLAG, error.m_lOsError);

  file.Write("abc", 3);
  EXPECT_EQ(1u, file.Seek(-2, CFile::current));
  EXPECT_THROW(file.Seek(-5, CFile::begin), CFileException);
  // The storage is reverted under the open stream: the next call throws
  // with the storage error.
  ASSERT_EQ(S_OK, root->Revert());
  try {
    file.Write("x", 1);
    ADD_FAILURE() << "no exception";
  } catch (CFileException& e) {
    EXPECT_EQ(STG_E_REVERTED, e.m_lOsError);
    EXPECT_EQ(CFileException::invalidFile, e.m_cause);
  }
  file.Close();
  EXPECT_THROW(file.GetLength(), CFileException) << "a closed stream file";
}

TEST(OleStreamFile, AttachAndDetachPassTheReference) {
  TempFolder folder;
  Ref<IStorage> root;
  ASSERT_EQ(S_OK, StgCreateDocfile(folder.WideFile("doc.drw").c_str(), kDocument | STGM_CREATE, 0, root.put()));
  IStream* stream = nullptr;
  ASSERT_EQ(S_OK, root->CreateStream(u"s", STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream));
  {
    COleStreamFile file(stream);
    EXPECT_EQ(stream, file.GetStream());
    EXPECT_EQ(CStringW(u"s"), file.GetFilePath());
    file.Write("data", 4);
    EXPECT_EQ(stream, file.Detach());
  }  // the file no longer owns the stream
  EXPECT_EQ(Bytes("data"), ReadStream(stream));
  EXPECT_EQ(0u, stream->Release());
}
