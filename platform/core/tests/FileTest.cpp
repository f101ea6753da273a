#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/DeleteFile.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/FileReplace.h"
#include "platform/core/MoveFile.h"
#include "platform/core/PathResolve.h"
#include "platform/core/StdioFile.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

using TempDir = testsupport::ScratchFolder;

using testsupport::ReadFileBytes;

void WriteAll(const std::string& path, const std::string& data) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << data;
}

TEST(File, ReadWriteSeekLengthAndPosition) {
  TempDir dir;
  std::string name = dir / "data.bin";
  CFile file(name.c_str(), CFile::modeCreate | CFile::modeReadWrite);
  file.Write("hello world", 11);
  EXPECT_EQ(file.GetLength(), 11u);
  EXPECT_EQ(file.GetPosition(), 11u);
  EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
  char buf[16] = {};
  EXPECT_EQ(file.Read(buf, sizeof buf), 5u);  // fewer at the end
  EXPECT_STREQ(buf, "world");
  EXPECT_EQ(file.Read(buf, sizeof buf), 0u);
  file.SetLength(5);
  EXPECT_EQ(file.GetLength(), 5u);
  file.SeekToBegin();
  EXPECT_EQ(file.GetPosition(), 0u);
  EXPECT_EQ(file.SeekToEnd(), 5u);
  EXPECT_THROW(file.Seek(-10, CFile::begin), CFileException);
  file.Close();
  EXPECT_EQ(ReadFileBytes(name), "hello");
  EXPECT_THROW(file.Read(buf, 1), CFileException);  // closed
}

TEST(File, CreateTruncatesUnlessAskedNotTo) {
  TempDir dir;
  std::string name = dir / "keep.txt";
  WriteAll(name, "abcdef");
  {
    CFile file(name.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    file.Write("XY", 2);
  }
  EXPECT_EQ(ReadFileBytes(name), "XYcdef");
  { CFile file(name.c_str(), CFile::modeCreate | CFile::modeWrite); }
  EXPECT_EQ(ReadFileBytes(name), "");
}

TEST(File, OpenFailuresReportTheirCause) {
  TempDir dir;
  struct Case {
    std::string path;
    UINT flags;
    int cause;
  } cases[] = {
      {dir / "missing.txt", CFile::modeRead, CFileException::fileNotFound},
      {dir.path(), CFile::modeRead, CFileException::accessDenied},  // a folder
      {dir / "no/such/folder/x.txt", CFile::modeCreate | CFile::modeWrite, CFileException::fileNotFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(c.path.c_str(), c.flags, &error));
    EXPECT_EQ(error.m_cause, c.cause);
    EXPECT_EQ(error.m_strFileName, CStringW(c.path.c_str()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open(c.path.c_str(), c.flags));  // no exception object: just FALSE
  }
  try {
    CFile file((dir / "missing.txt").c_str(), CFile::modeRead);
    FAIL() << "no exception";
  } catch (CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  }
}

TEST(File, RenameDoesNotReplaceAndRemoveTakesFilesOnly) {
  TempDir dir;
  WriteAll(dir / "a.txt", "a");
  WriteAll(dir / "b.txt", "b");
  EXPECT_THROW(CFile::Rename((dir / "a.txt").c_str(), (dir / "b.txt").c_str()), CFileException);
  EXPECT_EQ(ReadFileBytes(dir / "b.txt"), "b");
  CFile::Rename((dir / "A.TXT").c_str(), (dir / "c.txt").c_str());  // any case finds a.txt
  EXPECT_EQ(ReadFileBytes(dir / "c.txt"), "a");
  CFile::Remove(CStringW((dir / "C.txt").c_str()));
  EXPECT_FALSE(fs::exists(dir / "c.txt"));
  try {
    CFile::Remove((dir / "c.txt").c_str());
    FAIL() << "no exception";
  } catch (CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  }
  EXPECT_THROW(CFile::Remove(dir.path().c_str()), CFileException);
}

// A file nobody may write has the read-only attribute: every way of writing
// over it, truncating or deleting it fails and leaves it as it was (also for
// a process of the superuser, which Linux would let through); reading and
// renaming it still work.
TEST(File, AReadOnlyFileIsNeitherWrittenNorRemoved) {
  TempDir dir;
  const std::string name = dir / "locked.lst";
  WriteAll(name, "rows");
  ASSERT_EQ(::chmod(name.c_str(), 0444), 0);
  ASSERT_EQ(GetFileAttributesA(name.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));

  // The cause each way reports: the file exception's, or a bare failure.
  auto opened = [&name](UINT flags) {
    CFileException error;
    CFile file;
    return file.Open(name.c_str(), flags, &error) ? CFileException::none : error.m_cause;
  };
  auto removed = [&name] {
    try {
      CFile::Remove(name.c_str());
      return static_cast<int>(CFileException::none);
    } catch (CFileException& e) {
      return e.m_cause;
    }
  };
  const BYTE bytes[] = {'n', 'e', 'w'};
  struct Case {
    const char* way;
    int cause;
  } cases[] = {
      {"open for writing", opened(CFile::modeWrite)},
      {"open for reading and writing", opened(CFile::modeReadWrite)},
      {"create over it", opened(CFile::modeCreate | CFile::modeWrite)},
      {"create without truncating", opened(CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite)},
      {"CFile::Remove", removed()},
      {"DeleteFile", DeleteFileA(name.c_str()) ? CFileException::none : CFileException::accessDenied},
      {"replace its bytes", CFileException::OsErrorToException(platform::ReplaceFileBytes(name, bytes, false))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.cause, CFileException::accessDenied) << c.way;
    EXPECT_EQ(ReadFileBytes(name), "rows") << c.way;
  }

  EXPECT_EQ(opened(CFile::modeRead), CFileException::none);
  const std::string moved = dir / "moved.lst";
  EXPECT_TRUE(MoveFileA(name.c_str(), moved.c_str()));
  EXPECT_EQ(ReadFileBytes(moved), "rows");
}

TEST(File, NameOfAPathWithEitherSeparator) {
  TempDir dir;
  WriteAll(dir / "Table/Equation.Tab", "x");
  CFile file((dir.path() + "\\Table\\Equation.Tab").c_str(), CFile::modeRead);
  EXPECT_EQ(file.GetFileName(), u"Equation.Tab");
  EXPECT_EQ(file.GetFilePath(), CStringW((dir.path() + "\\Table\\Equation.Tab").c_str()));
}

// Paths as the libraries write them: backslashes, any letter case, GBK or
// UTF-16 text.
TEST(PathResolve, BackslashesAndLetterCaseFindTheFile) {
  TempDir dir;
  WriteAll(dir / "Table/VoskCurveEquation.Tab", "curve");
  WriteAll(dir / "数据/Ärger.txt", "umlaut");
  struct Case {
    std::string path;
    std::string expected;
  } cases[] = {
      {dir.path() + "\\Table\\VoskCurveEquation.Tab", dir / "Table/VoskCurveEquation.Tab"},
      {dir.path() + "\\TABLE\\voskcurveequation.tab", dir / "Table/VoskCurveEquation.Tab"},
      {dir.path() + "/table/VOSKCURVEEQUATION.TAB", dir / "Table/VoskCurveEquation.Tab"},
      {dir.path() + "\\数据\\ärger.TXT", dir / "数据/Ärger.txt"},
      // A file that does not exist yet lands in the folder that does.
      {dir.path() + "\\TABLE\\New.tab", dir / "Table/New.tab"},
      {dir.path() + "\\nowhere\\TABLE", dir / "nowhere/TABLE"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::ResolveUtf8Path(c.path), c.expected) << c.path;

  // A GBK path (数据 is CA FD BE DD) and a UTF-16 one find the same names.
  std::string gbkTable = dir.path() + "\\\xCA\xFD\xBE\xDD";
  EXPECT_EQ(platform::ResolvePath(gbkTable.c_str()), dir / "数据");
  // 乗 is 81 5C in GBK: its trail byte is not a separator.
  WriteAll(dir / "乗/f.txt", "x");
  std::string trail = dir.path() + "\\\x81\x5C\\F.TXT";
  EXPECT_EQ(platform::ResolvePath(trail.c_str()), dir / "乗/f.txt");
  CStringW wide = CStringW(dir.path().c_str()) + u"\\数据\\ÄRGER.TXT";
  CFile byUtf16(wide.GetString(), CFile::modeRead);
  char buf[8] = {};
  EXPECT_EQ(byUtf16.Read(buf, 6), 6u);
  EXPECT_STREQ(buf, "umlaut");
}

TEST(PathResolve, AnExactNameWinsAndAmbiguityIsSettledByByteOrder) {
  TempDir dir;
  WriteAll(dir / "b.txt", "lower");
  WriteAll(dir / "B.TXT", "upper");
  WriteAll(dir / "B.txt", "mixed");
  EXPECT_EQ(platform::ResolveUtf8Path(dir / "b.txt"), dir / "b.txt");
  EXPECT_EQ(platform::ResolveUtf8Path(dir / "b.TXT"), dir / "B.TXT");  // "B.TXT" < "B.txt" < "b.txt"
}

TEST(FileAttributes, ExistenceAndKind) {
  TempDir dir;
  WriteAll(dir / "Def/Attribute.Tab", "x");
  EXPECT_EQ(GetFileAttributesA((dir.path() + "\\def").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesW(CStringW((dir.path() + "\\DEF\\attribute.tab").c_str()).GetString()),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesA((dir.path() + "\\Def\\none.tab").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Text files: CR LF on disk, "\n" in the program.
TEST(StdioFile, WritesCrLfInTextModeOnly) {
  TempDir dir;
  {
    CStdioFile text((dir / "t.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    text.WriteString("one\ntwo\n");
    text.WriteString(u"中文\n");
    CStdioFile binary((dir / "b.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    binary.WriteString("one\ntwo\n");
  }
  EXPECT_EQ(ReadFileBytes(dir / "t.txt"), "one\r\ntwo\r\n\xD6\xD0\xCE\xC4\r\n");
  EXPECT_EQ(ReadFileBytes(dir / "b.txt"), "one\ntwo\n");
}

TEST(StdioFile, ReadsLinesWithoutTheirEnds) {
  TempDir dir;
  struct Case {
    std::string disk;
    std::vector<CStringA> lines;
  } cases[] = {
      {"l1\r\nl2\nl3\r\n\r\nl5", {"l1", "l2", "l3", "", "l5"}},
      {"x\ry\r\n", {"x\ry"}},  // a lone CR is data
      {"a\r\nb\x1A" "c\r\n", {"a", "b"}},  // Ctrl-Z ends a text file
      {"", {}},
      {"\r\n", {""}},
  };
  for (const Case& c : cases) {
    WriteAll(dir / "in.txt", c.disk);
    CStdioFile file((dir / "in.txt").c_str(), CFile::modeRead | CFile::typeText);
    std::vector<CStringA> got;
    CStringA line;
    while (file.ReadString(line)) got.push_back(line);
    EXPECT_EQ(got, c.lines) << c.disk;
    EXPECT_FALSE(file.ReadString(line));
  }
}

TEST(StdioFile, ReadsGbkIntoUtf16AndTracksRawPositions) {
  TempDir dir;
  WriteAll(dir / "Table/Names.Tab", ";comment\r\n\xD6\xD0\xCE\xC4\r\n");
  CStdioFile file((dir.path() + "\\table\\names.tab").c_str(), CFile::modeRead | CFile::typeText);
  ULONGLONG length = file.GetLength();
  EXPECT_EQ(length, 16u);
  std::vector<CStringW> lines;
  CStringW line;
  // The reading loop of the table readers: position below length.
  while (file.GetPosition() < length && file.ReadString(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<CStringW>{u";comment", u"中文"}));
  EXPECT_EQ(file.GetPosition(), 16u);
}

TEST(StdioFile, ReadAndWriteInOneFile) {
  TempDir dir;
  CStdioFile file((dir / "rw.txt").c_str(), CFile::modeCreate | CFile::modeReadWrite);
  file.WriteString("first\n");
  file.SeekToBegin();
  CStringA line;
  EXPECT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, "first");
  file.WriteString("second\n");
  EXPECT_EQ(file.GetLength(), 15u);
  file.Close();
  EXPECT_EQ(ReadFileBytes(dir / "rw.txt"), "first\r\nsecond\r\n");
}

}  // namespace
