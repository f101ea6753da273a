// Data transfer: data sources offering cached and rendered-on-demand data,
// the clipboard of data objects over the process clipboard, the
// drag-and-drop loop and its drop targets, and the platform's picture
// format.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/SharedFile.h"
#include "platform/ole/DragDrop.h"
#include "platform/ole/OleClipboard.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ole/PictureFormat.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

HGLOBAL TextBlock(const std::string& text) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
  GlobalUnlock(h);
  return h;
}

std::string BlockText(HGLOBAL h) {
  const char* p = static_cast<const char*>(GlobalLock(h));
  std::string s(p, strnlen(p, GlobalSize(h)));
  GlobalUnlock(h);
  return s;
}

// A source that renders its file format by writing a text, and counts how
// often it was asked; it tells when it goes.
class CountingSource : public COleDataSource {
 public:
  CountingSource(int* renders, bool* gone) : renders_(renders), gone_(gone) {}
  ~CountingSource() override {
    if (gone_) *gone_ = true;
  }
  BOOL OnRenderFileData(LPFORMATETC, CFile* file) override {
    ++*renders_;
    file->Write("rendered", 9);
    return TRUE;
  }

 private:
  int* renders_;
  bool* gone_;
};

class DataTransferTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    format_ = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"Data Transfer Test"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
  }
  void TearDown() override {
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    UiTest::TearDown();
  }
  CLIPFORMAT format_ = 0;
};

TEST_F(DataTransferTest, CachedDataAreGivenOutAsCopiesAndUnknownFormatsAreRefused) {
  COleDataSource source;
  source.CacheGlobalData(CF_TEXT, TextBlock("one"));
  source.CacheGlobalData(CF_TEXT, TextBlock("two"));  // replaces the first
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_FALSE(data.IsDataAvailable(format_));
  HGLOBAL a = data.GetGlobalData(CF_TEXT);
  HGLOBAL b = data.GetGlobalData(CF_TEXT);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_EQ(BlockText(a), "two");
  GlobalFree(a);
  GlobalFree(b);
  EXPECT_EQ(data.GetGlobalData(format_), nullptr);
  std::unique_ptr<CFile> file(data.GetFileData(CF_TEXT));
  ASSERT_TRUE(file);
  char text[4] = {};
  EXPECT_EQ(file->Read(text, 4), 4u);
  EXPECT_STREQ(text, "two");

  data.BeginEnumFormats();
  FORMATETC f{};
  ASSERT_TRUE(data.GetNextFormat(&f));
  EXPECT_EQ(f.cfFormat, CF_TEXT);
  EXPECT_FALSE(data.GetNextFormat(&f));
}

TEST_F(DataTransferTest, TheClipboardRendersOnDemandOnceAndLetsTheSourceGoWhenEmptied) {
  int renders = 0;
  bool gone = false;
  auto* source = new CountingSource(&renders, &gone);
  source->DelayRenderFileData(format_);
  source->CacheGlobalData(CF_TEXT, TextBlock("plain"));
  source->SetClipboard();
  EXPECT_EQ(COleDataSource::GetClipboardOwner(), source);
  EXPECT_EQ(renders, 0);
  EXPECT_TRUE(IsClipboardFormatAvailable(format_));

  // A plain reader of the process clipboard gets the rendered block; the
  // clipboard keeps it, so a second read renders nothing more.
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE block = GetClipboardData(format_);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(BlockText(block), "rendered");
  EXPECT_NE(GetClipboardData(format_), nullptr);
  EXPECT_EQ(BlockText(GetClipboardData(CF_TEXT)), "plain");
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(renders, 1);

  // A data object on the clipboard reads the source itself.
  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_TRUE(data.IsDataAvailable(format_));
  HGLOBAL copy = data.GetGlobalData(format_);
  EXPECT_EQ(BlockText(copy), "rendered");
  GlobalFree(copy);
  data.Release();

  // Another owner empties the clipboard: the source goes.
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_TEXT, TextBlock("other")) != nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(gone);
  EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);

  // Now the clipboard is read as it is.
  ASSERT_TRUE(data.AttachClipboard());
  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_FALSE(data.IsDataAvailable(format_));
  HGLOBAL other = data.GetGlobalData(CF_TEXT);
  EXPECT_EQ(BlockText(other), "other");
  GlobalFree(other);
}

TEST_F(DataTransferTest, FlushingKeepsTheDataAndSettingAgainReleasesTheOldSource) {
  int renders = 0;
  bool firstGone = false;
  auto* first = new CountingSource(&renders, &firstGone);
  first->DelayRenderFileData(format_);
  first->SetClipboard();
  bool secondGone = false;
  auto* second = new CountingSource(&renders, &secondGone);
  second->DelayRenderFileData(format_);
  second->SetClipboard();
  EXPECT_TRUE(firstGone);
  EXPECT_FALSE(secondGone);
  COleDataSource::FlushClipboard();
  EXPECT_TRUE(secondGone);
  EXPECT_EQ(renders, 1);
  COleDataObject data;
  ASSERT_TRUE(data.AttachClipboard());
  HGLOBAL block = data.GetGlobalData(format_);
  EXPECT_EQ(BlockText(block), "rendered");
  GlobalFree(block);
}

TEST_F(DataTransferTest, ASourceThatCannotRenderGivesNothing) {
  COleDataSource source;
  source.DelayRenderData(format_);
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  EXPECT_TRUE(data.IsDataAvailable(format_));
  EXPECT_EQ(data.GetGlobalData(format_), nullptr);
  EXPECT_EQ(data.GetFileData(format_), nullptr);
}

// A drop target that records what the loop told it and answers a fixed
// effect (copy with Control, else move); it takes a drop unless told not to.
struct Event {
  std::string what;
  CPoint point;
  DWORD keys;
};
class RecordingTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
    events.push_back({"enter", point, keys});
    return Answer(data, keys);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
    events.push_back({"over", point, keys});
    return Answer(data, keys);
  }
  void OnDragLeave(CWnd*) override { events.push_back({"leave", CPoint(), 0}); }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override {
    events.push_back({"drop", point, effect});
    HGLOBAL block = data->GetGlobalData(CF_TEXT);
    dropped = block ? BlockText(block) : std::string();
    if (block) GlobalFree(block);
    return takes;
  }
  std::string Names() const {
    std::string s;
    for (const Event& e : events) s += (s.empty() ? "" : " ") + e.what;
    return s;
  }
  std::vector<Event> events;
  std::string dropped;
  bool takes = true;

 private:
  static DROPEFFECT Answer(COleDataObject* data, DWORD keys) {
    if (!data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  }
};

class DragDropTest : public DataTransferTest {
 protected:
  void SetUp() override {
    DataTransferTest::SetUp();
    ASSERT_TRUE(left.CreateEx(0, u"AfxWnd", u"left", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(right.CreateEx(0, u"AfxWnd", u"right", WS_POPUP | WS_VISIBLE, CRect(200, 0, 300, 100), nullptr, 0));
    ASSERT_TRUE(child.CreateEx(0, u"AfxWnd", u"child", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 50), &right, 1));
    ASSERT_TRUE(leftTarget.Register(&left));
    ASSERT_TRUE(rightTarget.Register(&right));
    source.CacheGlobalData(CF_TEXT, TextBlock("dragged"));
  }
  void TearDown() override {
    leftTarget.Revoke();
    rightTarget.Revoke();
    child.DestroyWindow();
    left.DestroyWindow();
    right.DestroyWindow();
    DataTransferTest::TearDown();
  }
  CWnd left, right, child;
  RecordingTarget leftTarget, rightTarget;
  COleDataSource source;
};

TEST_F(DragDropTest, AWindowIsRegisteredOnceAndRevokingFreesIt) {
  RecordingTarget another;
  EXPECT_FALSE(another.Register(&left));  // taken
  EXPECT_FALSE(leftTarget.Register(&child));  // already registered elsewhere
  EXPECT_EQ(COleDropTarget::FromHandle(left.m_hWnd), &leftTarget);
  leftTarget.Revoke();
  EXPECT_EQ(COleDropTarget::FromHandle(left.m_hWnd), nullptr);
  EXPECT_TRUE(another.Register(&left));
  another.Revoke();
}

TEST_F(DragDropTest, TheLoopEntersLeavesAndDropsOnTheTargetUnderTheMouse) {
  using platform::DragStep;
  platform::ScopedDragDriver drag{DragStep::MoveTo(left.m_hWnd, POINT{5, 5}),
                                  DragStep::MoveTo(left.m_hWnd, POINT{6, 5}),
                                  // Over the child of the right window: the right window's target.
                                  DragStep::MoveTo(child.m_hWnd, POINT{1, 2}),
                                  DragStep::Keys(MK_LBUTTON | MK_CONTROL),
                                  DragStep::Drop()};
  const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  EXPECT_EQ(effect, DROPEFFECT_COPY);
  EXPECT_EQ(leftTarget.Names(), "enter over leave");
  EXPECT_EQ(rightTarget.Names(), "enter over drop");
  // Client points of the registered window; a change of keys is a
  // drag-over where the mouse is, and the drop takes the last effect.
  EXPECT_EQ(rightTarget.events[0].point, CPoint(11, 12));
  EXPECT_EQ(rightTarget.events[1].keys, DWORD{MK_LBUTTON | MK_CONTROL});
  EXPECT_EQ(rightTarget.events[2].keys, DWORD{DROPEFFECT_COPY});
  EXPECT_EQ(rightTarget.dropped, "dragged");
}

TEST_F(DragDropTest, RefusedEffectsCancelsAndAStartRectangleDropNothing) {
  using platform::DragStep;
  struct Case {
    const char* name;
    std::vector<DragStep> steps;
    DWORD allowed;
    bool takes;
    const char* rightEvents;
    DROPEFFECT expected;
  };
  const std::vector<Case> cases = {
      {"move not allowed", {DragStep::MoveTo(right.m_hWnd, POINT{80, 5}), DragStep::Drop()}, DROPEFFECT_COPY, true,
       "enter leave", DROPEFFECT_NONE},
      {"escape", {DragStep::MoveTo(right.m_hWnd, POINT{80, 5}), DragStep::Cancel()}, DROPEFFECT_MOVE, true,
       "enter leave", DROPEFFECT_NONE},
      {"driver runs dry", {DragStep::MoveTo(right.m_hWnd, POINT{80, 5})}, DROPEFFECT_MOVE, true, "enter leave",
       DROPEFFECT_NONE},
      {"target refuses the drop", {DragStep::MoveTo(right.m_hWnd, POINT{80, 5}), DragStep::Drop()},
       DROPEFFECT_MOVE, false, "enter drop", DROPEFFECT_NONE},
      {"dropped over nothing", {DragStep::MoveToScreen(POINT{150, 50}), DragStep::Drop()}, DROPEFFECT_MOVE, true, "",
       DROPEFFECT_NONE},
      {"moved", {DragStep::MoveTo(right.m_hWnd, POINT{80, 5}), DragStep::MoveTo(right.m_hWnd, POINT{81, 5}),
                 DragStep::Drop()},
       DROPEFFECT_MOVE, true, "enter over drop", DROPEFFECT_MOVE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rightTarget.events.clear();
    rightTarget.takes = c.takes;
    platform::ScopedDragDriver drag(platform::ScriptedDrag(c.steps));
    EXPECT_EQ(source.DoDragDrop(c.allowed), c.expected);
    EXPECT_EQ(rightTarget.Names(), c.rightEvents);
  }

  // Within the start rectangle nothing is dragged yet; a drop there drops
  // nothing.
  rightTarget.events.clear();
  const CRect start(195, -5, 305, 105);
  {
    platform::ScopedDragDriver drag{DragStep::MoveTo(right.m_hWnd, POINT{80, 5}), DragStep::Drop()};
    EXPECT_EQ(source.DoDragDrop(DROPEFFECT_MOVE, &start), DROPEFFECT_NONE);
  }
  EXPECT_EQ(rightTarget.Names(), "");
  {
    platform::ScopedDragDriver drag{DragStep::MoveTo(right.m_hWnd, POINT{80, 5}),
                                    DragStep::MoveTo(left.m_hWnd, POINT{5, 5}), DragStep::Drop()};
    EXPECT_EQ(source.DoDragDrop(DROPEFFECT_MOVE, &start), DROPEFFECT_MOVE);
  }
  EXPECT_EQ(leftTarget.Names(), "enter drop");
}

TEST(PictureFormatTest, APictureTravelsWithItsSizeAndDamagedBlocksAreRefused) {
  platform::PixelBuffer pixels(3, 2, RGB(10, 20, 30));
  pixels.SetColor(2, 1, RGB(200, 100, 0));
  HGLOBAL block = platform::MakePictureBlock(pixels, SIZE{2540, 1270});
  ASSERT_NE(block, nullptr);
  platform::PixelBuffer read;
  SIZE himetric{};
  ASSERT_TRUE(platform::ReadPictureBlock(block, read, himetric));
  EXPECT_EQ(read.Width(), 3);
  EXPECT_EQ(read.Height(), 2);
  EXPECT_EQ(read.GetColor(2, 1), RGB(200, 100, 0));
  EXPECT_EQ(read.GetColor(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(himetric.cx, 2540);
  EXPECT_EQ(himetric.cy, 1270);
  EXPECT_NE(platform::PictureClipboardFormat(), 0u);

  // Cut short, a wrong magic, a size beyond the pixel limit.
  auto* p = static_cast<BYTE*>(GlobalLock(block));
  std::vector<BYTE> bytes(p, p + GlobalSize(block));
  GlobalUnlock(block);
  GlobalFree(block);
  auto blockOf = [](std::vector<BYTE> b) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, b.size());
    if (!b.empty()) std::memcpy(GlobalLock(h), b.data(), b.size());
    GlobalUnlock(h);
    return h;
  };
  std::vector<BYTE> shortened(bytes.begin(), bytes.end() - 1);
  std::vector<BYTE> badMagic = bytes;
  badMagic[0] = 'X';
  std::vector<BYTE> huge = bytes;
  huge[16] = 0xFF;
  huge[17] = 0xFF;
  huge[20] = 0xFF;
  huge[21] = 0xFF;
  for (const auto& damaged : {shortened, badMagic, huge, std::vector<BYTE>(10, 0)}) {
    HGLOBAL h = blockOf(damaged);
    platform::PixelBuffer untouched(1, 1);
    EXPECT_FALSE(platform::ReadPictureBlock(h, untouched, himetric));
    EXPECT_EQ(untouched.Width(), 1);
    GlobalFree(h);
  }
}

}  // namespace
