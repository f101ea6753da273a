#include "platform/core/Archive.h"

#include <pthread.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/core/Charset.h"

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr WORD kBigObjectTag = 0x7FFF;
// The last index the framework gives out.
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
// Class names longer than this are refused on reading, as the framework does.
constexpr WORD kMaxClassName = 63;
constexpr size_t kMinBuffer = 128;
// Strings are read in steps of this size, so that a damaged length cannot
// allocate more than the data that really follow.
constexpr size_t kReadStep = 64 * 1024;

// True while the calling thread has room on its stack for one more nested
// object. ReadObject recurses through the objects' Serialize; a hostile or
// damaged stream must get an exception, not a stack overflow. A reserve of
// an eighth of the stack (128 KiB at least) stays free for the object's own
// Serialize and for unwinding.
bool StackHasRoom() {
  struct Stack {
    const char* low = nullptr;
    size_t size = 0;
  };
  thread_local const Stack stack = [] {
    Stack s;
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
      void* low = nullptr;
      size_t size = 0;
      if (pthread_attr_getstack(&attr, &low, &size) == 0) {
        s.low = static_cast<const char*>(low);
        s.size = size;
      }
      pthread_attr_destroy(&attr);
    }
    return s;
  }();
  const auto* here = static_cast<const char*>(__builtin_frame_address(0));
  if (!stack.low || here < stack.low || here > stack.low + stack.size) return true;  // unknown: no limit
  size_t reserve = std::max<size_t>(128 * 1024, stack.size / 8);
  return static_cast<size_t>(here - stack.low) > reserve;
}

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void* buffer) : m_pFile(file), m_nMode(mode) {
  if (!file) AfxThrowInvalidArgException();
  m_strFileName = file->GetFilePath();
  if (buffer && bufferSize >= static_cast<int>(kMinBuffer)) {
    m_nBufSize = static_cast<size_t>(bufferSize);
    m_lpBufStart = static_cast<BYTE*>(buffer);
  } else {
    m_nBufSize = std::max<size_t>(kMinBuffer, bufferSize > 0 ? static_cast<size_t>(bufferSize) : 0);
    m_ownBuffer = std::make_unique<BYTE[]>(m_nBufSize);
    m_lpBufStart = m_ownBuffer.get();
  }
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
  if (IsLoading()) m_loadArray.push_back({nullptr, false});  // index 0: null
}

CArchive::~CArchive() {
  if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Close();
    } catch (...) {
      // A destructor cannot report; Close shows the error to a caller.
    }
  }
  Abort();
}

void CArchive::Throw(int cause) const { throw CArchiveException(cause, m_strFileName.GetString()); }

void CArchive::CheckLoading() const {
  if (!m_pFile) Throw(CArchiveException::genericException);
  if (IsStoring()) Throw(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const {
  if (!m_pFile) Throw(CArchiveException::genericException);
  if (IsLoading()) Throw(CArchiveException::readOnly);
}

// ---------------------------------------------------------------------------
// Buffer and raw bytes

void CArchive::Flush() {
  if (!m_pFile) return;
  if (IsStoring()) {
    if (m_lpBufCur != m_lpBufStart) {
      UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
      m_lpBufCur = m_lpBufStart;
      m_pFile->Write(m_lpBufStart, n);
    }
  } else {
    // Give the unread bytes back to the file.
    if (Buffered() > 0) m_pFile->Seek(-static_cast<LONGLONG>(Buffered()), CFile::current);
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
  }
}

void CArchive::Close() {
  if (!m_pFile) return;
  Flush();
  m_pFile = nullptr;
}

void CArchive::Abort() {
  m_pFile = nullptr;
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

void CArchive::WriteBytes(const void* data, size_t n) {
  CheckStoring();
  const auto* p = static_cast<const BYTE*>(data);
  while (n > 0) {
    if (m_lpBufCur == m_lpBufMax) Flush();
    if (m_lpBufCur == m_lpBufStart && n >= m_nBufSize) {
      // A large block goes straight to the file.
      UINT chunk = static_cast<UINT>(std::min<size_t>(n, std::numeric_limits<UINT>::max()));
      m_pFile->Write(p, chunk);
      p += chunk;
      n -= chunk;
      continue;
    }
    size_t chunk = std::min(n, static_cast<size_t>(m_lpBufMax - m_lpBufCur));
    std::memcpy(m_lpBufCur, p, chunk);
    m_lpBufCur += chunk;
    p += chunk;
    n -= chunk;
  }
}

void CArchive::Write(const void* buffer, UINT count) {
  if (count && !buffer) AfxThrowInvalidArgException();
  WriteBytes(buffer, count);
}

size_t CArchive::Fill(size_t n) {
  if (Buffered() >= n) return Buffered();
  size_t avail = Buffered();
  if (m_lpBufCur != m_lpBufStart) {
    std::memmove(m_lpBufStart, m_lpBufCur, avail);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + avail;
  }
  while (Buffered() < n && Buffered() < m_nBufSize) {
    UINT got = m_pFile->Read(m_lpBufMax, static_cast<UINT>(m_nBufSize - Buffered()));
    if (got == 0) break;
    m_lpBufMax += got;
  }
  return Buffered();
}

UINT CArchive::Read(void* buffer, UINT count) {
  CheckLoading();
  if (count && !buffer) AfxThrowInvalidArgException();
  auto* p = static_cast<BYTE*>(buffer);
  UINT done = 0;
  while (done < count) {
    size_t left = count - done;
    if (Buffered() == 0 && left >= m_nBufSize) {
      // A large block comes straight from the file.
      UINT got = m_pFile->Read(p + done, static_cast<UINT>(left));
      if (got == 0) break;
      done += got;
      continue;
    }
    if (Fill(1) == 0) break;
    size_t chunk = std::min(left, Buffered());
    std::memcpy(p + done, m_lpBufCur, chunk);
    m_lpBufCur += chunk;
    done += static_cast<UINT>(chunk);
  }
  return done;
}

void CArchive::ReadExact(void* data, size_t n) {
  CheckLoading();
  if (Buffered() >= n) {
    std::memcpy(data, m_lpBufCur, n);
    m_lpBufCur += n;
    return;
  }
  if (Read(data, static_cast<UINT>(n)) != n) Throw(CArchiveException::endOfFile);
}

void CArchive::CheckAvailable(ULONGLONG bytes) {
  CheckLoading();
  if (Buffered() >= bytes) return;
  ULONGLONG left = 0;
  try {
    ULONGLONG position = m_pFile->GetPosition();
    ULONGLONG length = m_pFile->GetLength();
    left = length > position ? length - position : 0;
  } catch (CFileException&) {
    return;  // the file does not know its length: the reads will tell
  }
  if (Buffered() + left < bytes) Throw(CArchiveException::endOfFile);
}

CArchive& CArchive::operator>>(bool& v) {
  BYTE b;
  Get(b);
  v = b != 0;
  return *this;
}

// ---------------------------------------------------------------------------
// Text lines

void CArchive::WriteString(LPCSTR text) {
  if (!text) AfxThrowInvalidArgException();
  WriteBytes(text, std::strlen(text));
}

void CArchive::WriteString(LPCWSTR text) {
  if (!text) AfxThrowInvalidArgException();
  WriteBytes(text, platform::Utf16Length(text) * sizeof(WCHAR));
}

BOOL CArchive::ReadString(CStringA& line) {
  CheckLoading();
  std::string s;
  bool any = false;
  while (Fill(1) > 0) {
    char c = static_cast<char>(*m_lpBufCur++);
    any = true;
    if (c == '\n') break;
    if (c == '\r') {
      // CR LF or a lone CR ends the line.
      if (Fill(1) > 0 && *m_lpBufCur == '\n') ++m_lpBufCur;
      break;
    }
    s.push_back(c);
  }
  line = CStringA(s);
  return any ? TRUE : FALSE;
}

BOOL CArchive::ReadString(CStringW& line) {
  CheckLoading();
  std::u16string s;
  bool any = false;
  auto next = [this](WCHAR& c) {
    if (Fill(sizeof(WCHAR)) < sizeof(WCHAR)) return false;
    std::memcpy(&c, m_lpBufCur, sizeof c);
    return true;
  };
  WCHAR c;
  while (next(c)) {
    m_lpBufCur += sizeof c;
    any = true;
    if (c == u'\n') break;
    if (c == u'\r') {
      if (next(c) && c == u'\n') m_lpBufCur += sizeof c;
      break;
    }
    s.push_back(c);
  }
  line = CStringW(s);
  return any ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// Strings

void CArchive::WriteStringLength(ULONGLONG length, bool unicode) {
  if (unicode) {
    *this << static_cast<BYTE>(0xFF);
    *this << static_cast<WORD>(0xFFFE);
  }
  if (length < 0xFF) {
    *this << static_cast<BYTE>(length);
    return;
  }
  *this << static_cast<BYTE>(0xFF);
  if (length < 0xFFFE) {
    *this << static_cast<WORD>(length);
    return;
  }
  *this << static_cast<WORD>(0xFFFF);
  if (length < 0xFFFFFFFFu) {
    *this << static_cast<DWORD>(length);
    return;
  }
  *this << static_cast<DWORD>(0xFFFFFFFFu);
  *this << length;
}

ULONGLONG CArchive::ReadStringLength(bool& unicode) {
  unicode = false;
  BYTE b;
  *this >> b;
  if (b < 0xFF) return b;
  WORD w;
  *this >> w;
  if (w == 0xFFFE) {
    // The Unicode marker; the length follows.
    unicode = true;
    *this >> b;
    if (b < 0xFF) return b;
    *this >> w;
  }
  if (w < 0xFFFF) return w;
  DWORD d;
  *this >> d;
  if (d < 0xFFFFFFFFu) return d;
  ULONGLONG q;
  *this >> q;
  return q;
}

std::string CArchive::ReadCharacters(ULONGLONG units, size_t unitSize) {
  if (units > std::numeric_limits<ULONGLONG>::max() / unitSize) Throw(CArchiveException::endOfFile);
  ULONGLONG bytes = units * unitSize;
  CheckAvailable(bytes);
  std::string data;
  while (data.size() < bytes) {
    size_t step = static_cast<size_t>(std::min<ULONGLONG>(bytes - data.size(), kReadStep));
    size_t old = data.size();
    data.resize(old + step);
    if (Read(data.data() + old, static_cast<UINT>(step)) != step) Throw(CArchiveException::endOfFile);
  }
  // The framework's string takes the characters up to the first zero.
  for (size_t i = 0; i + unitSize <= data.size(); i += unitSize) {
    if (std::all_of(data.begin() + static_cast<std::ptrdiff_t>(i),
                    data.begin() + static_cast<std::ptrdiff_t>(i + unitSize), [](char c) { return c == 0; })) {
      data.resize(i);
      break;
    }
  }
  return data;
}

namespace {

std::u16string UnitsFromBytes(const std::string& bytes) {
  std::u16string s(bytes.size() / 2, u'\0');
  std::memcpy(s.data(), bytes.data(), s.size() * 2);
  return s;
}

}  // namespace

CArchive& operator<<(CArchive& ar, const CStringA& s) {
  ar.WriteStringLength(static_cast<ULONGLONG>(s.GetLength()), false);
  ar.WriteBytes(s.GetString(), static_cast<size_t>(s.GetLength()));
  return ar;
}

CArchive& operator<<(CArchive& ar, const CStringW& s) {
  ar.WriteStringLength(static_cast<ULONGLONG>(s.GetLength()), true);
  ar.WriteBytes(s.GetString(), static_cast<size_t>(s.GetLength()) * sizeof(WCHAR));
  return ar;
}

CArchive& operator>>(CArchive& ar, CStringA& s) {
  bool unicode;
  ULONGLONG length = ar.ReadStringLength(unicode);
  std::string data = ar.ReadCharacters(length, unicode ? 2 : 1);
  s = unicode ? CStringA(platform::Utf16ToGbk(UnitsFromBytes(data))) : CStringA(data);
  return ar;
}

CArchive& operator>>(CArchive& ar, CStringW& s) {
  bool unicode;
  ULONGLONG length = ar.ReadStringLength(unicode);
  std::string data = ar.ReadCharacters(length, unicode ? 2 : 1);
  s = CStringW(unicode ? UnitsFromBytes(data) : platform::GbkToUtf16(data));
  return ar;
}

// ---------------------------------------------------------------------------
// Counts

void CArchive::WriteCount(DWORD_PTR count) {
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
    return;
  }
  *this << static_cast<WORD>(0xFFFF);
  if (count < 0xFFFFFFFFu) {
    *this << static_cast<DWORD>(count);
    return;
  }
  *this << static_cast<DWORD>(0xFFFFFFFFu);
  *this << static_cast<ULONGLONG>(count);
}

DWORD_PTR CArchive::ReadCount() {
  WORD w;
  *this >> w;
  DWORD_PTR count = w;
  if (w == 0xFFFF) {
    DWORD d;
    *this >> d;
    count = d;
    if (d == 0xFFFFFFFFu) {
      ULONGLONG q;
      *this >> q;
      count = static_cast<DWORD_PTR>(q);
    }
  }
  // Every counted element takes a byte at least.
  CheckAvailable(count);
  return count;
}

// ---------------------------------------------------------------------------
// Classes and objects

DWORD CArchive::NextIndex() {
  if (m_nMapCount >= kMaxMapCount) Throw(CArchiveException::badIndex);
  return m_nMapCount++;
}

void CArchive::WriteTag(DWORD index, bool isClass) {
  if (index < kBigObjectTag) {
    *this << static_cast<WORD>((isClass ? kClassTag : 0) | index);
  } else {
    *this << kBigObjectTag;
    *this << static_cast<DWORD>((isClass ? kBigClassTag : 0) | index);
  }
}

void CArchive::WriteClass(const CRuntimeClass* classRef) {
  CheckStoring();
  if (!classRef) AfxThrowInvalidArgException();
  // Only serial classes can be stored.
  if (classRef->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();
  if (const DWORD* index = m_storeMap.Find(classRef)) {
    WriteTag(*index, true);
    return;
  }
  *this << kNewClassTag;
  classRef->Store(*this);
  m_storeMap.Set(classRef, NextIndex());
}

void CArchive::WriteObject(const CObject* object) {
  CheckStoring();
  if (!object) {
    *this << kNullTag;
    return;
  }
  if (const DWORD* index = m_storeMap.Find(object)) {
    WriteTag(*index, false);
    return;
  }
  WriteClass(object->GetRuntimeClass());
  // Entered before its data, so that references back to it from inside its
  // own Serialize are back-references.
  m_storeMap.Set(object, NextIndex());
  const_cast<CObject*>(object)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requiredClass, UINT* schema, DWORD* objectTag) {
  CheckLoading();
  WORD wTag;
  *this >> wTag;
  DWORD tag;
  if (wTag == kBigObjectTag)
    *this >> tag;
  else
    tag = (static_cast<DWORD>(wTag & kClassTag) << 16) | (wTag & ~kClassTag);

  if (!(tag & kBigClassTag)) {
    // An object reference.
    if (!objectTag) Throw(CArchiveException::badIndex);
    *objectTag = tag;
    return nullptr;
  }

  CRuntimeClass* classRef;
  UINT classSchema;
  if (wTag == kNewClassTag) {
    classRef = CRuntimeClass::Load(*this, &classSchema);
    if (!classRef || classRef->m_wSchema == 0xFFFF) Throw(CArchiveException::badClass);
    if ((classRef->m_wSchema & ~VERSIONABLE_SCHEMA) != classSchema) {
      if (!(classRef->m_wSchema & VERSIONABLE_SCHEMA)) Throw(CArchiveException::badSchema);
      // A versionable class reads the older schema itself.
      m_schemaMap[classRef] = classSchema;
    }
    if (m_loadArray.size() >= kMaxMapCount) Throw(CArchiveException::badIndex);
    m_loadArray.push_back({classRef, true});
  } else {
    DWORD index = tag & ~kBigClassTag;
    if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
      Throw(CArchiveException::badIndex);
    classRef = static_cast<CRuntimeClass*>(m_loadArray[index].pointer);
    auto it = m_schemaMap.find(classRef);
    classSchema = it != m_schemaMap.end() ? it->second : (classRef->m_wSchema & ~VERSIONABLE_SCHEMA);
  }

  if (requiredClass && !classRef->IsDerivedFrom(requiredClass)) Throw(CArchiveException::badClass);
  if (schema)
    *schema = classSchema;
  else
    m_nObjectSchema = classSchema;
  if (objectTag) *objectTag = tag;
  return classRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requiredClass) {
  CheckLoading();
  UINT schema = 0;
  DWORD tag = 0;
  CRuntimeClass* classRef = ReadClass(requiredClass, &schema, &tag);
  if (!classRef) {
    if (tag >= m_loadArray.size() || m_loadArray[tag].isClass) Throw(CArchiveException::badIndex);
    auto* object = static_cast<CObject*>(m_loadArray[tag].pointer);
    if (object && requiredClass && !object->IsKindOf(requiredClass)) Throw(CArchiveException::badClass);
    return object;
  }

  if (!StackHasRoom()) Throw(CArchiveException::genericException);
  CObject* object = classRef->CreateObject();
  if (!object) AfxThrowMemoryException();
  // Entered before its data, so that a cycle back to it loads.
  size_t slot = m_loadArray.size();
  if (slot >= kMaxMapCount) {
    delete object;
    Throw(CArchiveException::badIndex);
  }
  m_loadArray.push_back({object, false});
  UINT savedSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    object->Serialize(*this);
  } catch (...) {
    // Nobody holds the object yet: free it, and let later references see
    // null rather than freed memory.
    m_loadArray[slot].pointer = nullptr;
    delete object;
    throw;
  }
  m_nObjectSchema = savedSchema;
  return object;
}

void CArchive::SerializeClass(const CRuntimeClass* classRef) {
  if (IsStoring())
    WriteClass(classRef);
  else
    ReadClass(classRef);
}

UINT CArchive::GetObjectSchema() {
  UINT schema = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);
  return schema;
}

void CArchive::MapObject(const CObject* object) {
  if (!object) return;
  if (IsStoring()) {
    m_storeMap.Set(object, NextIndex());
  } else {
    if (m_loadArray.size() >= kMaxMapCount) Throw(CArchiveException::badIndex);
    m_loadArray.push_back({const_cast<CObject*>(object), false});
  }
}

CArchive& operator<<(CArchive& ar, const CObject* object) {
  ar.WriteObject(object);
  return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& object) {
  object = ar.ReadObject(nullptr);
  return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& object) {
  object = ar.ReadObject(nullptr);
  return ar;
}

// ---------------------------------------------------------------------------
// Class tags of CRuntimeClass

void CRuntimeClass::Store(CArchive& ar) const {
  WORD length = static_cast<WORD>(std::strlen(m_lpszClassName));
  ar << static_cast<WORD>(m_wSchema) << length;
  ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* schema) {
  WORD storedSchema;
  WORD length;
  ar >> storedSchema >> length;
  if (length > kMaxClassName) return nullptr;
  char name[kMaxClassName + 1];
  if (ar.Read(name, length) != length) AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
  name[length] = '\0';
  if (schema) *schema = storedSchema;
  return FromName(name);
}
