#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Object.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
class CBox : public CShape {
  DECLARE_DYNCREATE(CBox)
 public:
  int side = 3;
};
IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CBox, CShape)

TEST(RuntimeClass, KindOfDynamicCreationAndLookupByName) {
  std::unique_ptr<CObject> box(RUNTIME_CLASS(CBox)->CreateObject());
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(box->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(box->IsKindOf(RUNTIME_CLASS(CException)));
  EXPECT_EQ(DYNAMIC_DOWNCAST(CBox, box.get())->side, 3);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CException, box.get()), nullptr);
  EXPECT_STREQ(box->GetRuntimeClass()->m_lpszClassName, "CBox");
  EXPECT_EQ(CRuntimeClass::FromName("CShape"), RUNTIME_CLASS(CShape));
  EXPECT_EQ(CRuntimeClass::FromName(u"CBox"), RUNTIME_CLASS(CBox));
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
  // Not creatable dynamically.
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
  EXPECT_FALSE(box->IsSerializable());
}

TEST(Exceptions, ThrownByValueCaughtAsTheBase) {
  try {
    AfxThrowArchiveException(CArchiveException::badSchema, u"doc.drw");
  } catch (CException& e) {
    ASSERT_TRUE(e.IsKindOf(RUNTIME_CLASS(CArchiveException)));
    EXPECT_EQ(static_cast<CArchiveException&>(e).m_cause, CArchiveException::badSchema);
    EXPECT_EQ(e.GetErrorMessage(), CStringW(u"doc.drw contains an incorrect schema."));
    char small[8];
    e.GetErrorMessage(small, sizeof small);
    EXPECT_STREQ(small, "doc.drw");
  }
  EXPECT_EQ(CFileException::OsErrorToException(2 /* ENOENT */), CFileException::fileNotFound);
}

TEST(Exceptions, AnUnsupportedOperationSaysWhatIsMissingWhenTold) {
  try {
    AfxThrowNotSupportedException(u"Nesting is not built.");
  } catch (CException& e) {
    EXPECT_EQ(e.GetErrorMessage(), CStringW(u"Nesting is not built."));
  }
  EXPECT_EQ(CNotSupportedException().GetErrorMessage(), CStringW(u"An unsupported operation was attempted."));
}

TEST(MessageBox, HandlerAnswersOrTheDefaultButtonDoes) {
  struct Case {
    UINT type;
    int answer;
  } cases[] = {{MB_OK, IDOK},       {MB_YESNO, IDYES}, {MB_YESNO | MB_DEFBUTTON2, IDNO},
               {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL}, {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
               {MB_OK | MB_DEFBUTTON3, IDOK}};
  for (const Case& c : cases) EXPECT_EQ(platform::DefaultMessageBoxAnswer(c.type), c.answer);

  std::vector<platform::MessageBoxRequest> seen;
  {
    platform::ScopedMessageBoxHandler scripted([&](const platform::MessageBoxRequest& r) {
      seen.push_back(r);
      return IDNO;
    });
    EXPECT_EQ(AfxMessageBox("\xB1\xED?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"cap", MB_OK), IDNO);
  }
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, CStringW(u"\u8868?"));
  EXPECT_EQ(seen[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(seen[1].caption, CStringW(u"cap"));
  // The handler is gone again: the default answers.
  EXPECT_EQ(AfxMessageBox(u"logged", MB_YESNO | MB_DEFBUTTON2), IDNO);
}

}  // namespace
