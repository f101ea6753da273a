#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

#include "ArchiveTestSupport.h"
#include "platform/core/NumberArrays.h"
#include "platform/core/ObList.h"
#include "platform/core/StringArray.h"

namespace archive_test {
namespace {

TEST(ArchivePrimitives, LittleEndianBytesOfEachType) {
  Bytes bytes = Store([](CArchive& ar) {
    ar << BYTE(0x12) << WORD(0x1234) << LONG(-2) << DWORD(0x89ABCDEF) << int(7) << short(-1) << 'A' << 1.0f
       << 1.0 << LONGLONG(-2) << ULONGLONG(0x0102030405060708ull) << true << false << WCHAR(0x4E2D);
  });
  Bytes expected = {0x12,                                            // BYTE
                    0x34, 0x12,                                      // WORD
                    0xFE, 0xFF, 0xFF, 0xFF,                          // LONG
                    0xEF, 0xCD, 0xAB, 0x89,                          // DWORD
                    0x07, 0x00, 0x00, 0x00,                          // int
                    0xFF, 0xFF,                                      // short
                    0x41,                                            // char
                    0x00, 0x00, 0x80, 0x3F,                          // float
                    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,  // double
                    0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // LONGLONG
                    0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // ULONGLONG
                    0x01, 0x00,                                      // bool
                    0x2D, 0x4E};                                     // WCHAR
  EXPECT_EQ(bytes, expected);

  BYTE b;
  WORD w;
  LONG l;
  DWORD d;
  int i;
  short s;
  char c;
  float f;
  double x;
  LONGLONG ll;
  ULONGLONG ull;
  bool t, u;
  WCHAR wc;
  EXPECT_TRUE(Load(expected, [&](CArchive& ar) { ar >> b >> w >> l >> d >> i >> s >> c >> f >> x >> ll >> ull >> t >> u >> wc; }));
  EXPECT_EQ(b, 0x12);
  EXPECT_EQ(w, 0x1234);
  EXPECT_EQ(l, -2);
  EXPECT_EQ(d, 0x89ABCDEFu);
  EXPECT_EQ(i, 7);
  EXPECT_EQ(s, -1);
  EXPECT_EQ(c, 'A');
  EXPECT_EQ(f, 1.0f);
  EXPECT_EQ(x, 1.0);
  EXPECT_EQ(ll, -2);
  EXPECT_EQ(ull, 0x0102030405060708ull);
  EXPECT_TRUE(t);
  EXPECT_FALSE(u);
  EXPECT_EQ(wc, 0x4E2D);
}

TEST(ArchivePrimitives, AnyNonZeroByteReadsAsTrue) {
  bool v = false;
  Load({0x02}, [&](CArchive& ar) { ar >> v; });
  EXPECT_TRUE(v);
}

// The length prefix at each boundary, for both flavours.
TEST(ArchiveStrings, LengthPrefixesAtEachBoundary) {
  struct Case {
    int length;
    Bytes prefixA;
    Bytes prefixW;
  } cases[] = {
      {0, {0x00}, {0xFF, 0xFE, 0xFF, 0x00}},
      {3, {0x03}, {0xFF, 0xFE, 0xFF, 0x03}},
      {254, {0xFE}, {0xFF, 0xFE, 0xFF, 0xFE}},
      {255, {0xFF, 0xFF, 0x00}, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    CStringA a('x', c.length);
    CStringW w(u'y', c.length);
    Bytes bytesA = Store([&](CArchive& ar) { ar << a; });
    Bytes bytesW = Store([&](CArchive& ar) { ar << w; });
    ASSERT_EQ(bytesA.size(), c.prefixA.size() + c.length);
    ASSERT_EQ(bytesW.size(), c.prefixW.size() + 2 * c.length);
    EXPECT_EQ(Bytes(bytesA.begin(), bytesA.begin() + c.prefixA.size()), c.prefixA);
    EXPECT_EQ(Bytes(bytesW.begin(), bytesW.begin() + c.prefixW.size()), c.prefixW);
    if (c.length > 0) {
      EXPECT_EQ(bytesA.back(), 'x');
      EXPECT_EQ(bytesW[bytesW.size() - 2], 'y');
      EXPECT_EQ(bytesW.back(), 0);
    }
    CStringA backA;
    CStringW backW;
    EXPECT_TRUE(Load(bytesA, [&](CArchive& ar) { ar >> backA; }));
    EXPECT_TRUE(Load(bytesW, [&](CArchive& ar) { ar >> backW; }));
    EXPECT_EQ(backA, a);
    EXPECT_EQ(backW, w);
  }
}

TEST(ArchiveStrings, EitherKindReadsIntoEitherFlavourThroughGbk) {
  const Bytes ansi = {0x04, 0xD6, 0xD0, 0xCE, 0xC4};                    // GBK "中文", no marker
  const Bytes wide = {0xFF, 0xFE, 0xFF, 0x02, 0x2D, 0x4E, 0x87, 0x65};  // UTF-16 "中文"
  CStringA a1, a2;
  CStringW w1, w2;
  EXPECT_TRUE(Load(ansi, [&](CArchive& ar) { ar >> a1; }));
  EXPECT_TRUE(Load(ansi, [&](CArchive& ar) { ar >> w1; }));
  EXPECT_TRUE(Load(wide, [&](CArchive& ar) { ar >> a2; }));
  EXPECT_TRUE(Load(wide, [&](CArchive& ar) { ar >> w2; }));
  EXPECT_EQ(a1, "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(a2, "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(w1, u"中文");
  EXPECT_EQ(w2, u"中文");
}

TEST(ArchiveStrings, ReadingStopsAtAZeroButConsumesTheWholeString) {
  // As the framework's strings do: "ab\0cd" reads as "ab"; the WORD after it
  // is still found.
  CStringA a;
  CStringW w;
  WORD after1 = 0, after2 = 0;
  EXPECT_TRUE(Load({0x05, 'a', 'b', 0, 'c', 'd', 0x34, 0x12}, [&](CArchive& ar) { ar >> a >> after1; }));
  EXPECT_TRUE(Load({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 0, 0, 'c', 0, 0x34, 0x12}, [&](CArchive& ar) { ar >> w >> after2; }));
  EXPECT_EQ(a, "ab");
  EXPECT_EQ(w, u"a");
  EXPECT_EQ(after1, 0x1234);
  EXPECT_EQ(after2, 0x1234);
}

TEST(ArchiveStrings, ReadsTheLongestEscapes) {
  // 0xFF, 0xFFFF, 0xFFFFFFFF, then a 64-bit length.
  CStringA s;
  EXPECT_TRUE(Load({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'},
                   [&](CArchive& ar) { ar >> s; }));
  EXPECT_EQ(s, "abc");
}

TEST(ArchiveCounts, WordOrEscapedDword) {
  struct Case {
    DWORD_PTR count;
    Bytes bytes;
  } cases[] = {{0, {0x00, 0x00}},
               {0xFFFE, {0xFE, 0xFF}},
               {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
               {0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}}};
  for (const Case& c : cases) {
    EXPECT_EQ(Store([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes);
    // Reading checks the count against the data left, so add the elements.
    Bytes withData = c.bytes;
    withData.resize(withData.size() + c.count);
    DWORD_PTR back = 1;
    EXPECT_TRUE(Load(withData, [&](CArchive& ar) {
      back = ar.ReadCount();
      std::vector<BYTE> skip(c.count);
      ar.Read(skip.data(), static_cast<UINT>(skip.size()));
    }));
    EXPECT_EQ(back, c.count);
  }
}

// Deletes the objects and every node reachable through partners, once each.
void DeleteGraph(std::vector<CObject*> roots) {
  std::vector<CObject*> all;
  for (CObject* o : roots) {
    while (o && std::find(all.begin(), all.end(), o) == all.end()) {
      all.push_back(o);
      o = o->IsKindOf(RUNTIME_CLASS(CNode)) ? static_cast<CNode*>(o)->partner : nullptr;
    }
  }
  for (CObject* o : all) delete o;
}

const Bytes kLeafClass = Cat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Text("CLeaf")});
const Bytes kNodeClass = Cat({{0xFF, 0xFF, 0x00, 0x00, 0x05, 0x00}, Text("CNode")});

TEST(ArchiveObjects, NullNewClassClassReferenceAndObjectReferenceTags) {
  CLeaf a(10), b(11);
  Bytes bytes = Store([&](CArchive& ar) { ar << &a << &b << &a << static_cast<CObject*>(nullptr); });
  Bytes expected = Cat({kLeafClass, {0x0A, 0x00},  // class 1, object 2
                        {0x01, 0x80, 0x0B, 0x00},  // class reference 1, object 3
                        {0x02, 0x00},              // object 2 again
                        {0x00, 0x00}});            // null
  EXPECT_EQ(bytes, expected);

  CObject* objects[4] = {};
  EXPECT_TRUE(Load(expected, [&](CArchive& ar) {
    for (CObject*& o : objects) ar >> o;
  }));
  std::unique_ptr<CObject> first(objects[0]), second(objects[1]);
  ASSERT_TRUE(objects[0] && objects[0]->IsKindOf(RUNTIME_CLASS(CLeaf)));
  EXPECT_EQ(static_cast<CLeaf*>(objects[0])->value, 10);
  EXPECT_EQ(static_cast<CLeaf*>(objects[1])->value, 11);
  EXPECT_EQ(objects[2], objects[0]);
  EXPECT_EQ(objects[3], nullptr);
}

TEST(ArchiveObjects, BigIndicesUseTheDwordEscape) {
  // Fill indices 1..0x7FFD with mapped objects; the leaf class then gets
  // 0x7FFE (still a WORD tag: 0xFFFE), the first leaf 0x7FFF (escaped).
  constexpr int kMapped = 0x7FFD;
  auto dummies = std::make_unique<CLeaf[]>(kMapped);
  CLeaf a(1), b(2);
  CNode n1(3), n2(4);
  Bytes bytes = Store([&](CArchive& ar) {
    for (int i = 0; i < kMapped; ++i) ar.MapObject(&dummies[i]);
    ar << &a << &b << &a << &n1 << &n2;
  });
  Bytes expected = Cat({kLeafClass, {0x01, 0x00},                   // class 0x7FFE, object 0x7FFF
                        {0xFE, 0xFF, 0x02, 0x00},                   // class reference 0x7FFE, object 0x8000
                        {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00},       // object 0x7FFF, escaped
                        kNodeClass, {0x03, 0x00, 0x00, 0x00},       // class 0x8001, object 0x8002
                        {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x80},       // class reference 0x8001, escaped
                        {0x04, 0x00, 0x00, 0x00}});
  EXPECT_EQ(bytes, expected);

  CObject* objects[5] = {};
  EXPECT_TRUE(Load(expected, [&](CArchive& ar) {
    for (int i = 0; i < kMapped; ++i) ar.MapObject(&dummies[i]);
    for (CObject*& o : objects) ar >> o;
  }));
  std::unique_ptr<CObject> owned[] = {std::unique_ptr<CObject>(objects[0]), std::unique_ptr<CObject>(objects[1]),
                                      std::unique_ptr<CObject>(objects[3]), std::unique_ptr<CObject>(objects[4])};
  EXPECT_EQ(objects[2], objects[0]);
  EXPECT_EQ(static_cast<CLeaf*>(objects[1])->value, 2);
  ASSERT_TRUE(objects[4]->IsKindOf(RUNTIME_CLASS(CNode)));
  EXPECT_EQ(static_cast<CNode*>(objects[4])->id, 4);
}

TEST(ArchiveObjects, ACycleStoresOnceAndLoadsBack) {
  CNode a(1), b(2), self(3);
  a.partner = &b;
  b.partner = &a;
  self.partner = &self;
  Bytes bytes = Store([&](CArchive& ar) { ar << &a << &self; });
  Bytes expected = Cat({kNodeClass, {0x01, 0x00},        // a: class 1, object 2, id 1
                        {0x01, 0x80, 0x02, 0x00},        // partner b: object 3, id 2
                        {0x02, 0x00},                    // b's partner: a
                        {0x01, 0x80, 0x03, 0x00, 0x04, 0x00}});  // self: object 4, partner itself
  EXPECT_EQ(bytes, expected);

  CNode* loadedA = nullptr;
  CNode* loadedSelf = nullptr;
  EXPECT_TRUE(Load(expected, [&](CArchive& ar) { ar >> loadedA >> loadedSelf; }));
  std::unique_ptr<CNode> ownA(loadedA), ownSelf(loadedSelf);
  ASSERT_TRUE(loadedA && loadedA->partner);
  auto* loadedB = static_cast<CNode*>(loadedA->partner);
  std::unique_ptr<CNode> ownB(loadedB);
  EXPECT_EQ(loadedB->id, 2);
  EXPECT_EQ(loadedB->partner, loadedA);
  EXPECT_EQ(loadedSelf->partner, loadedSelf);
}

TEST(ArchiveObjects, MappedObjectsAreBackReferences) {
  CLeaf document(0);
  CNode n(5);
  n.partner = &document;
  Bytes bytes = Store([&](CArchive& ar) {
    ar.MapObject(&document);  // index 1
    ar << &n;
  });
  EXPECT_EQ(bytes, Cat({kNodeClass, {0x05, 0x00, 0x01, 0x00}}));
  CNode* back = nullptr;
  EXPECT_TRUE(Load(bytes, [&](CArchive& ar) {
    ar.MapObject(&document);
    ar >> back;
  }));
  std::unique_ptr<CNode> own(back);
  EXPECT_EQ(back->partner, &document);
}

TEST(ArchiveObjects, ClassTagsAloneAndTheObjectSchema) {
  Bytes bytes = Store([](CArchive& ar) {
    ar.SerializeClass(RUNTIME_CLASS(CLeaf));
    ar.WriteClass(RUNTIME_CLASS(CLeaf));
  });
  EXPECT_EQ(bytes, Cat({kLeafClass, {0x01, 0x80}}));
  EXPECT_TRUE(Load(bytes, [](CArchive& ar) {
    ar.SerializeClass(RUNTIME_CLASS(CLeaf));
    EXPECT_EQ(ar.GetObjectSchema(), 1u);
    EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));  // once only
    UINT schema = 0;
    EXPECT_EQ(ar.ReadClass(RUNTIME_CLASS(CObject), &schema), RUNTIME_CLASS(CLeaf));
    EXPECT_EQ(schema, 1u);
  }));
  // A class that is not serial cannot be stored.
  EXPECT_THROW(Store([](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CMemFile)); }), CNotSupportedException);
}

TEST(ArchiveObjects, AVersionableClassReadsAnOlderSchema) {
  Bytes stored = Cat({{0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00}, Text("CVersioned"), {0x01, 0x80}});
  CObject* first = nullptr;
  CObject* second = nullptr;
  EXPECT_TRUE(Load(stored, [&](CArchive& ar) { ar >> first >> second; }));
  std::unique_ptr<CObject> own1(first), own2(second);
  EXPECT_EQ(static_cast<CVersioned*>(first)->schemaRead, 2u);
  EXPECT_EQ(static_cast<CVersioned*>(second)->schemaRead, 2u);  // remembered for the class
  // Its own schema is stored without the versionable bit.
  CVersioned v;
  EXPECT_EQ(Store([&](CArchive& ar) { ar << &v; }), Cat({{0xFF, 0xFF, 0x03, 0x00, 0x0A, 0x00}, Text("CVersioned")}));
}

TEST(ArchiveObjects, CObListStoresItsCountThenEachObject) {
  CLeaf a(10), b(11);
  CObList list;
  list.AddTail(&a);
  list.AddTail(&b);
  list.AddTail(&a);
  Bytes bytes = Store([&](CArchive& ar) { list.Serialize(ar); });
  Bytes expected = Cat({{0x03, 0x00}, kLeafClass, {0x0A, 0x00}, {0x01, 0x80, 0x0B, 0x00}, {0x02, 0x00}});
  EXPECT_EQ(bytes, expected);

  CObList back;
  EXPECT_TRUE(Load(expected, [&](CArchive& ar) { back.Serialize(ar); }));
  ASSERT_EQ(back.GetCount(), 3);
  std::unique_ptr<CObject> own1(back.GetHead()), own2(back.GetAt(back.FindIndex(1)));
  EXPECT_EQ(back.GetHead(), back.GetTail());
  EXPECT_EQ(static_cast<CLeaf*>(back.GetAt(back.FindIndex(1)))->value, 11);
}

TEST(ArchiveObjects, ArraysOfStringsAndNumbersAsTheFrameworkWritesThem) {
  CStringArrayA a;
  a.Add("a");
  a.Add("bc");
  CStringArrayW w;
  w.Add(u"a");
  CDWordArray d;
  d.Add(1);
  d.Add(0x01020304);
  EXPECT_EQ(Store([&](CArchive& ar) { a.Serialize(ar); }), Bytes({0x02, 0x00, 0x01, 'a', 0x02, 'b', 'c'}));
  EXPECT_EQ(Store([&](CArchive& ar) { w.Serialize(ar); }), Bytes({0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00}));
  EXPECT_EQ(Store([&](CArchive& ar) { d.Serialize(ar); }),
            Bytes({0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0x04, 0x03, 0x02, 0x01}));
  // The UTF-16 array reads the ANSI array's bytes.
  CStringArrayW fromA;
  EXPECT_TRUE(Load(Store([&](CArchive& ar) { a.Serialize(ar); }), [&](CArchive& ar) { fromA.Serialize(ar); }));
  ASSERT_EQ(fromA.GetSize(), 2);
  EXPECT_EQ(fromA[1], u"bc");
  CDWordArray dBack;
  EXPECT_TRUE(Load(Store([&](CArchive& ar) { d.Serialize(ar); }), [&](CArchive& ar) { dBack.Serialize(ar); }));
  EXPECT_EQ(dBack[1], 0x01020304u);
}

// Damaged input: each case gives its cause and frees what it created.
TEST(ArchiveErrors, EachDamageGivesItsCause) {
  struct Case {
    const char* what;
    Bytes bytes;
    const CRuntimeClass* required;
    int cause;
  } cases[] = {
      {"unknown class", Cat({{0xFF, 0xFF, 0x00, 0x00, 0x05, 0x00}, Text("CNope")}), nullptr, CArchiveException::badClass},
      {"class name too long", Cat({{0xFF, 0xFF, 0x00, 0x00, 0x40, 0x00}, Bytes(64, 'C')}), nullptr,
       CArchiveException::badClass},
      {"class that is not serial", Cat({{0xFF, 0xFF, 0xFF, 0xFF, 0x05, 0x00}, Text("CFile")}), nullptr,
       CArchiveException::badClass},
      {"object of another class", Cat({kLeafClass, {0x01, 0x00}}), RUNTIME_CLASS(CNode), CArchiveException::badClass},
      {"schema of a class that is not versionable", Cat({{0xFF, 0xFF, 0x02, 0x00, 0x05, 0x00}, Text("CLeaf")}),
       nullptr, CArchiveException::badSchema},
      {"reference to an object never stored", {0x05, 0x00}, nullptr, CArchiveException::badIndex},
      {"reference to a class never stored", {0x05, 0x80}, nullptr, CArchiveException::badIndex},
      {"escaped reference out of range", {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}, nullptr, CArchiveException::badIndex},
      {"truncated class name", Cat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Text("CLe")}), nullptr,
       CArchiveException::endOfFile},
      {"truncated object", Cat({kLeafClass, {0x01}}), nullptr, CArchiveException::endOfFile},
      {"truncated tag", {0x01}, nullptr, CArchiveException::endOfFile},
      {"empty", {}, nullptr, CArchiveException::endOfFile},
      // A node whose partner's data end early: both are freed.
      {"partner truncated", Cat({kNodeClass, {0x01, 0x00, 0x01, 0x80, 0x02}}), nullptr, CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ArchiveCause([&] { Load(c.bytes, [&](CArchive& ar) { ar.ReadObject(c.required); }); }), c.cause);
    EXPECT_EQ(CLeaf::live, 0);
    EXPECT_EQ(CNode::live, 0);
  }
}

TEST(ArchiveErrors, ReferencesMustNameTheRightKindOfEntry) {
  // After a leaf (class 1, object 2): a class reference to the object, an
  // object reference to the class, and a reference to the leaf read as a
  // node.
  Bytes leaf = Cat({kLeafClass, {0x01, 0x00}});
  struct Case {
    Bytes tail;
    const CRuntimeClass* required;
    int cause;
  } cases[] = {{{0x02, 0x80}, nullptr, CArchiveException::badIndex},
               {{0x01, 0x00}, nullptr, CArchiveException::badIndex},
               {{0x02, 0x00}, RUNTIME_CLASS(CNode), CArchiveException::badClass}};
  for (const Case& c : cases) {
    CObject* first = nullptr;
    EXPECT_EQ(ArchiveCause([&] {
                Load(Cat({leaf, c.tail}), [&](CArchive& ar) {
                  first = ar.ReadObject(nullptr);
                  ar.ReadObject(c.required);
                });
              }),
              c.cause);
    delete first;
  }
  EXPECT_EQ(CLeaf::live, 0);
}

TEST(ArchiveErrors, LengthsAndCountsBeyondTheDataFailAtOnce) {
  CStringA s;
  CStringW w;
  CObList list;
  CStringArrayA strings;
  // A 2 GB string, a 4 G-unit UTF-16 string, 70000 list elements and 65535
  // strings, each followed by a few bytes.
  EXPECT_EQ(ArchiveCause([&] { Load({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, [&](CArchive& ar) { ar >> s; }); }),
            CArchiveException::endOfFile);
  EXPECT_EQ(ArchiveCause([&] {
              Load({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 0}, [&](CArchive& ar) { ar >> w; });
            }),
            CArchiveException::endOfFile);
  EXPECT_EQ(ArchiveCause([&] { Load({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00, 0x00, 0x00}, [&](CArchive& ar) { list.Serialize(ar); }); }),
            CArchiveException::endOfFile);
  EXPECT_EQ(ArchiveCause([&] { Load({0xFE, 0xFF, 0x01, 'a'}, [&](CArchive& ar) { strings.Serialize(ar); }); }),
            CArchiveException::endOfFile);
  EXPECT_TRUE(list.IsEmpty());
}

TEST(ArchiveErrors, EveryTruncationOfAValidStreamIsAnEndOfFile) {
  CNode a(1), b(2);
  a.partner = &b;
  b.partner = &a;
  CLeaf leaf(7);
  CObList list;
  list.AddTail(&leaf);
  list.AddTail(&a);
  Bytes full = Store([&](CArchive& ar) {
    ar << CStringW(u"标题") << CStringA("name") << DWORD(42);
    list.Serialize(ar);
    ar << &b << 2.5;
  });
  auto readAll = [](CArchive& ar, CObList& into) {
    CStringW w;
    CStringA s;
    DWORD d;
    double x;
    CObject* o;
    ar >> w >> s >> d;
    into.Serialize(ar);
    ar >> o >> x;
  };
  for (size_t n = 0; n < full.size(); ++n) {
    CObList into;
    int cause = ArchiveCause([&] { Load(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)), [&](CArchive& ar) { readAll(ar, into); }); });
    EXPECT_EQ(cause, CArchiveException::endOfFile) << "cut at " << n;
    // What the list took before the failure belongs to its owner.
    std::vector<CObject*> taken;
    while (!into.IsEmpty()) taken.push_back(into.RemoveHead());
    DeleteGraph(taken);
  }
  EXPECT_EQ(CLeaf::live, 1);
  EXPECT_EQ(CNode::live, 2);
}

TEST(ArchiveErrors, RandomBytesGiveArchiveExceptionsAndLeakNothing) {
  std::mt19937 rng(20240611);
  // Random bytes after a valid start, so that the reader gets past the tags.
  Bytes starts[] = {{}, kLeafClass, kNodeClass, Cat({kNodeClass, {0x01, 0x00}}), {0xFF, 0xFE, 0xFF}};
  int failures = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes bytes = starts[round % 5];
    size_t n = rng() % 24;
    for (size_t i = 0; i < n; ++i) bytes.push_back(static_cast<BYTE>(rng() % 4 == 0 ? 0xFF : rng() & 0xFF));
    std::vector<CObject*> got;
    try {
      Load(bytes, [&](CArchive& ar) {
        for (int i = 0; i < 8; ++i) {
          if (round % 5 == 4) {
            CStringW w;
            ar >> w;
          } else {
            got.push_back(ar.ReadObject(nullptr));
          }
        }
      });
    } catch (CArchiveException&) {
      ++failures;
    }
    // Objects returned, and the partners they reach, are the caller's.
    DeleteGraph(got);
    ASSERT_EQ(CLeaf::live + CNode::live, 0) << "round " << round;
  }
  EXPECT_GT(failures, 0);
}

// Loads `bytes` as one object on a thread with a stack of `stackSize` bytes;
// the cause of the archive exception, or -1 when it loaded (the chain is
// then freed).
int LoadChainOnThread(const Bytes& bytes, size_t stackSize) {
  struct Job {
    const Bytes* bytes;
    int cause = -1;
  } job{&bytes};
  auto run = [](void* arg) -> void* {
    auto* j = static_cast<Job*>(arg);
    j->cause = ArchiveCause([&] {
      CNode* head = nullptr;
      Load(*j->bytes, [&](CArchive& ar) { ar >> head; });
      DeleteGraph({head});
    });
    return nullptr;
  };
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, stackSize);
  pthread_t thread;
  EXPECT_EQ(pthread_create(&thread, &attr, run, &job), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
  return job.cause;
}

TEST(ArchiveErrors, NestingThatWouldExhaustTheStackFails) {
  // A chain of 3000 nodes, each the partner of the one before: 3000 nested
  // ReadObject calls.
  constexpr int kDepth = 3000;
  std::vector<std::unique_ptr<CNode>> nodes;
  for (int i = 0; i < kDepth; ++i) nodes.push_back(std::make_unique<CNode>(static_cast<WORD>(i)));
  for (int i = 0; i + 1 < kDepth; ++i) nodes[i]->partner = nodes[i + 1].get();
  Bytes chain = Store([&](CArchive& ar) { ar << nodes.front().get(); });
  nodes.clear();
  EXPECT_EQ(LoadChainOnThread(chain, 64 * 1024 * 1024), -1);
  EXPECT_EQ(LoadChainOnThread(chain, 512 * 1024), CArchiveException::genericException);
  EXPECT_EQ(CNode::live, 0);
}

TEST(ArchiveModes, WrongDirectionThrowsReadOnlyOrWriteOnly) {
  EXPECT_EQ(ArchiveCause([] { Load({0x01}, [](CArchive& ar) { ar << BYTE(1); }); }), CArchiveException::readOnly);
  EXPECT_EQ(ArchiveCause([] { Load({0x01}, [](CArchive& ar) { ar << CStringW(u"x"); }); }), CArchiveException::readOnly);
  EXPECT_EQ(ArchiveCause([] { Store([](CArchive& ar) { BYTE b; ar >> b; }); }), CArchiveException::writeOnly);
  EXPECT_EQ(ArchiveCause([] { Store([](CArchive& ar) { ar.ReadObject(nullptr); }); }), CArchiveException::writeOnly);
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  EXPECT_TRUE(ar.IsStoring());
  EXPECT_FALSE(ar.IsLoading());
  EXPECT_EQ(ar.GetFile(), &file);
}

TEST(ArchiveModes, FlushCloseAbortAndTheDestructor) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << DWORD(1);
    EXPECT_EQ(file.GetLength(), 0u);  // still in the buffer
    ar.Flush();
    EXPECT_EQ(file.GetLength(), 4u);
    ar << DWORD(2);
  }  // the destructor flushes
  EXPECT_EQ(file.GetLength(), 8u);
  {
    CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
    ar << DWORD(3);
  }
  EXPECT_EQ(file.GetLength(), 8u);
  {
    CArchive ar(&file, CArchive::store);
    ar << DWORD(3);
    ar.Abort();
  }
  EXPECT_EQ(file.GetLength(), 8u);

  // A loading archive reads ahead; Flush puts the file back where the
  // archive stands.
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  DWORD first;
  ar >> first;
  EXPECT_EQ(first, 1u);
  ar.Flush();
  EXPECT_EQ(file.GetPosition(), 4u);
  ar.Close();
  EXPECT_EQ(file.GetPosition(), 4u);
  EXPECT_EQ(ar.GetFile(), nullptr);
}

TEST(ArchiveText, LinesAndRawBytes) {
  Bytes bytes = Store([](CArchive& ar) {
    ar.WriteString("one\r\ntwo\nthree");
    ar.Write("\x01\x02", 2);
  });
  EXPECT_EQ(bytes, Cat({Text("one\r\ntwo\nthree"), {0x01, 0x02}}));
  Bytes lines = Text("one\r\ntwo\n\nlast");
  std::vector<CStringA> got;
  EXPECT_TRUE(Load(lines, [&](CArchive& ar) {
    CStringA line;
    while (ar.ReadString(line)) got.push_back(line);
  }));
  EXPECT_EQ(got, (std::vector<CStringA>{"one", "two", "", "last"}));

  Bytes wide = Store([](CArchive& ar) { ar.WriteString(u"a\r\nb"); });
  EXPECT_EQ(wide, Bytes({'a', 0, '\r', 0, '\n', 0, 'b', 0}));
  std::vector<CStringW> gotW;
  EXPECT_TRUE(Load(wide, [&](CArchive& ar) {
    CStringW line;
    while (ar.ReadString(line)) gotW.push_back(line);
  }));
  EXPECT_EQ(gotW, (std::vector<CStringW>{u"a", u"b"}));
}

TEST(ArchiveBuffering, ValuesAcrossBufferEdgesAndLargeBlocks) {
  // A small buffer, so that values straddle it; a string longer than it.
  CStringA big('z', 1000);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store, 128);
    for (int i = 0; i < 100; ++i) ar << BYTE(i) << DWORD(i * 7);
    ar << big << ULONGLONG(99);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load, 128);
  for (int i = 0; i < 100; ++i) {
    BYTE b;
    DWORD d;
    ar >> b >> d;
    ASSERT_EQ(b, i);
    ASSERT_EQ(d, static_cast<DWORD>(i * 7));
  }
  CStringA back;
  ULONGLONG tail;
  ar >> back >> tail;
  EXPECT_EQ(back, big);
  EXPECT_EQ(tail, 99u);
}

}  // namespace
}  // namespace archive_test
