// The shipped texts session, end to end: a title and a turned section name
// placed with the text command, and a note placed and edited.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "draft/host/EntityList.h"
#include "draft/host/TextEntity.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(TextsSession, PlacesATitleATurnedNameAndAnEditedNote) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "texts.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  struct Shown {
    const char16_t* text;
    double x, y, angle;
  };
  // The texts in drawing order (held as GBK): the edited note replaced the
  // placed one.
  const Shown expected[] = {{u"技术要求", 30, 110, 0}, {u"A-A", 170, 30, 90}, {u"未注圆角R3", 30, 60, 0}};
  std::vector<const CTextEntity*> texts;
  for (CEntity* e : *view.GetEntityList())
    if (e->IsText()) texts.push_back(static_cast<const CTextEntity*>(e));
  ASSERT_EQ(texts.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(texts[i]->GetText(), CStringA(CStringW(expected[i].text))) << i;
    EXPECT_NEAR(texts[i]->GetInsertPoint().x, expected[i].x, 1e-9) << i;
    EXPECT_NEAR(texts[i]->GetInsertPoint().y, expected[i].y, 1e-9) << i;
    EXPECT_EQ(texts[i]->GetTextAttrib().GetAngle(), expected[i].angle) << i;
  }
  // The rectangle, three placed texts and the edit.
  EXPECT_EQ(view.GetUndoCount(), 5);
  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"输入文本\"\n", "  dialog \"修改文本\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
