// Rectangles, rounded rectangles, ellipses and lines: handles and cursors,
// roundness editing, hit tests by rectangle, drawing, undo of the attribute
// setters, and the stream with its version gates.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/tests/DownDiagram.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

extern "C" void _InitScrivel();

namespace {

using diagramtest::DownDiagram;

TEST(DrawRectTest, HandlesAndCursorsByShape) {
  struct Case {
    const char* what;
    CDrawRect::Shape shape;
    int count;
    int handle;
    CPoint point;
    LPCTSTR cursor;  // null: the base rule
  };
  const Case cases[] = {
      {"rectangle, top middle", CDrawRect::rectangle, 8, 2, CPoint(20, 20), nullptr},
      {"line start", CDrawRect::line, 2, 1, CPoint(0, 20), IDC_SIZEALL},
      {"line end: handle 2 is the bottom-right corner", CDrawRect::line, 2, 2, CPoint(40, 0), IDC_SIZEALL},
      {"rounded rectangle, top middle", CDrawRect::roundRectangle, 9, 2, CPoint(20, 20), nullptr},
      {"roundness handle inside the top-right corner", CDrawRect::roundRectangle, 9, 9, CPoint(32, 12), IDC_SIZEALL},
      {"ellipse, right middle", CDrawRect::ellipse, 8, 4, CPoint(40, 10), nullptr},
  };
  for (const Case& test : cases) {
    CDrawRect shape(CRect(0, 20, 40, 0), test.shape);
    CDrawObj plain(CRect(0, 20, 40, 0));
    EXPECT_EQ(shape.GetShape(), test.shape) << test.what;
    EXPECT_EQ(shape.GetHandleCount(), test.count) << test.what;
    EXPECT_EQ(shape.GetHandle(test.handle), test.point) << test.what;
    const HCURSOR expected =
        test.cursor ? ::LoadCursor(nullptr, test.cursor) : plain.GetHandleCursor(test.handle);
    EXPECT_EQ(shape.GetHandleCursor(test.handle), expected) << test.what;
  }
}

TEST(DrawRectTest, TheRoundnessHandleSitsBelowTheTopInADownwardDiagram) {
  DownDiagram down;
  CDrawRect shape(CRect(0, 0, 40, 20), CDrawRect::roundRectangle);
  shape.SetDiagram(&down);
  EXPECT_EQ(shape.GetHandle(9), CPoint(32, 8));
  shape.SetDiagram(nullptr);
}

TEST(DrawRectTest, RoundnessStaysWithinTheCornerLimits) {
  struct Case {
    const char* what;
    bool upward;
    std::vector<std::pair<int, CPoint>> moves;  // handle, point
    CPoint roundnessHandle;
  };
  // Upward: the rectangle spans (0, 0) to (100, 100), top = 100. The handle
  // keeps 8 units inside the corner and stays in the top-right quarter.
  const Case cases[] = {
      {"inside the limits", true, {{9, CPoint(60, 70)}}, CPoint(60, 70)},
      {"past the centre", true, {{9, CPoint(10, 10)}}, CPoint(50, 50)},
      {"too close to the corner", true, {{9, CPoint(99, 99)}}, CPoint(92, 92)},
      // The corner drag shrinks the rectangle to 20 x 20: the roundness is
      // limited to the new size, its handle at the centre.
      {"shrunk by a corner", true, {{9, CPoint(10, 10)}, {5, CPoint(20, 80)}}, CPoint(10, 90)},
      {"downward, inside", false, {{9, CPoint(60, 30)}}, CPoint(60, 30)},
      {"downward, past the centre", false, {{9, CPoint(60, 90)}}, CPoint(60, 50)},
  };
  for (const Case& test : cases) {
    DownDiagram down;
    CDrawRect shape(test.upward ? CRect(0, 100, 100, 0) : CRect(0, 0, 100, 100), CDrawRect::roundRectangle);
    if (!test.upward) shape.SetDiagram(&down);
    for (const auto& [handle, point] : test.moves) shape.MoveHandleTo(handle, point, nullptr);
    EXPECT_EQ(shape.GetHandle(9), test.roundnessHandle) << test.what;
    shape.SetDiagram(nullptr);
  }
}

TEST(DrawRectTest, LineWidthExtra) {
  struct Case {
    const char* what;
    CDrawRect::Shape shape;
    UINT style;
    UINT width;
    LONG extra;
  };
  const Case cases[] = {
      {"inside frame keeps the outline inside", CDrawRect::rectangle, PS_INSIDEFRAME, 5, 0},
      {"a solid outline sticks out by half", CDrawRect::rectangle, PS_SOLID, 5, 3},
      {"a line has no inside", CDrawRect::line, PS_INSIDEFRAME, 4, 2},
      {"a thin line", CDrawRect::line, PS_SOLID, 1, 1},
      {"an ellipse with inside frame", CDrawRect::ellipse, PS_INSIDEFRAME, 3, 0},
  };
  for (const Case& test : cases) {
    CDrawRect shape(CRect(0, 20, 40, 0), test.shape);
    ASSERT_TRUE(shape.SetPenStyle(test.style, test.width));
    const SIZE extra = shape.GetExtraSize4LineWidth();
    EXPECT_EQ(extra.cx, test.extra) << test.what;
    EXPECT_EQ(extra.cy, test.extra) << test.what;
  }
}

TEST(DrawRectTest, IntersectionByShape) {
  struct Case {
    const char* what;
    CDrawRect::Shape shape;
    CRect position;
    UINT penWidth;  // solid pen; PS_INSIDEFRAME when 99
    CRect area;     // normalised, as the callers give it
    BOOL hit;
  };
  constexpr UINT kInside = 99;
  const Case cases[] = {
      {"rectangle corner", CDrawRect::rectangle, CRect(0, 0, 100, 100), kInside, CRect(0, 0, 2, 2), TRUE},
      {"beside the rectangle", CDrawRect::rectangle, CRect(0, 20, 40, 0), kInside, CRect(41, 0, 50, 20), FALSE},
      {"ellipse misses its box's corner", CDrawRect::ellipse, CRect(0, 0, 100, 100), kInside, CRect(0, 0, 2, 2), FALSE},
      {"ellipse at its top", CDrawRect::ellipse, CRect(0, 0, 100, 100), kInside, CRect(45, 0, 55, 2), TRUE},
      {"covered wholly", CDrawRect::ellipse, CRect(0, 0, 100, 100), kInside, CRect(-1, -1, 101, 101), TRUE},
      {"rounded corner missed", CDrawRect::roundRectangle, CRect(0, 0, 100, 100), kInside, CRect(0, 0, 2, 2), FALSE},
      {"rounded edge met", CDrawRect::roundRectangle, CRect(0, 0, 100, 100), kInside, CRect(50, 0, 52, 2), TRUE},
      // A zero-height line of the thinnest pen: any rectangle that overlaps
      // its box grown by one unit up and down finds it.
      {"flat line, grown box met", CDrawRect::line, CRect(0, 10, 40, 10), 0, CRect(10, 5, 20, 10), TRUE},
      {"flat line, grown box missed", CDrawRect::line, CRect(0, 10, 40, 10), 0, CRect(10, 11, 20, 30), FALSE},
      // A one-unit pen's band is thinner than a unit: the line itself counts.
      {"thin horizontal line crossed", CDrawRect::line, CRect(0, 10, 40, 10), 1, CRect(10, 5, 20, 15), TRUE},
      {"thin diagonal crossed", CDrawRect::line, CRect(0, 0, 100, 100), 1, CRect(45, 50, 55, 60), TRUE},
      {"thin diagonal, area below it", CDrawRect::line, CRect(0, 0, 100, 100), 1, CRect(60, 0, 100, 40), FALSE},
      // A wide pen's band: met off the line but within half the width.
      {"wide diagonal, inside the band", CDrawRect::line, CRect(0, 0, 100, 100), 10, CRect(52, 48, 54, 50), TRUE},
      {"wide diagonal, beyond the band", CDrawRect::line, CRect(0, 0, 100, 100), 10, CRect(54, 45, 57, 48), FALSE},
      // A line without length: its start point decides (right edge outside).
      {"point line held", CDrawRect::line, CRect(5, 5, 5, 5), 1, CRect(5, 5, 10, 10), TRUE},
      {"point line on the right edge", CDrawRect::line, CRect(5, 5, 5, 5), 1, CRect(0, 0, 5, 5), FALSE},
  };
  for (const Case& test : cases) {
    CDrawRect shape(test.position, test.shape);
    ASSERT_TRUE(test.penWidth == kInside ? shape.SetPenStyle(PS_INSIDEFRAME, 1)
                                         : shape.SetPenStyle(PS_SOLID, test.penWidth));
    EXPECT_EQ(shape.Intersects(test.area), test.hit) << test.what;
  }
}

// A device context that keeps what was drawn.
struct RecordingDc {
  RecordingDc() : recorder(std::make_shared<platform::DrawingRecorder>()) {
    dc.Attach(platform::CreateRecordingDc(recorder));
  }
  std::shared_ptr<platform::DrawingRecorder> recorder;
  CDC dc;
};

TEST(DrawRectTest, DrawsEachShapeWithItsPenBrushAndBackground) {
  struct Case {
    const char* what;
    CDrawRect::Shape shape;
    std::function<void(CDrawRect&)> style;
    const char* call;  // null: nothing drawn
    std::vector<POINT> logical;
    UINT penKind;
    UINT brushStyle;  // BS_NULL: no brush
    COLORREF brushColor;
    int bkMode;
    COLORREF bkColor;
  };
  const COLORREF grey = RGB(192, 192, 192);
  const COLORREF red = RGB(255, 0, 0);
  const Case cases[] = {
      {"rectangle as made", CDrawRect::rectangle, [](CDrawRect&) {}, "Rectangle", {{0, 20}, {40, 0}},
       PS_INSIDEFRAME, BS_SOLID, grey, OPAQUE, grey},
      {"rounded with its roundness", CDrawRect::roundRectangle, [](CDrawRect&) {}, "RoundRect",
       {{0, 20}, {40, 0}, {16, 16}}, PS_INSIDEFRAME, BS_SOLID, grey, OPAQUE, grey},
      {"ellipse", CDrawRect::ellipse, [](CDrawRect&) {}, "Ellipse", {{0, 20}, {40, 0}}, PS_INSIDEFRAME, BS_SOLID,
       grey, OPAQUE, grey},
      {"line from top-left to bottom-right", CDrawRect::line, [](CDrawRect&) {}, "LineTo", {{0, 20}, {40, 0}},
       PS_SOLID, BS_SOLID, grey, OPAQUE, grey},
      {"hatch without fill shows only its lines", CDrawRect::rectangle,
       [&](CDrawRect& r) {
         r.EnableFill(FALSE);
         r.EnableHatch(TRUE);
         r.SetHatchStyle(HS_CROSS);
         r.SetHatchColor(red);
       },
       "Rectangle", {{0, 20}, {40, 0}}, PS_INSIDEFRAME, BS_HATCHED, red, TRANSPARENT, grey},
      {"hatch on the fill colour", CDrawRect::rectangle,
       [&](CDrawRect& r) {
         r.EnableHatch(TRUE);
         r.SetHatchStyle(HS_CROSS);
         r.SetHatchColor(red);
       },
       "Rectangle", {{0, 20}, {40, 0}}, PS_INSIDEFRAME, BS_HATCHED, red, OPAQUE, grey},
      {"no fill, no outline", CDrawRect::rectangle,
       [](CDrawRect& r) {
         r.EnableFill(FALSE);
         r.SetPenStyle(PS_NULL, 0);
       },
       "Rectangle", {{0, 20}, {40, 0}}, PS_NULL, BS_NULL, 0, TRANSPARENT, grey},
      {"a hatch that cannot be made draws nothing", CDrawRect::rectangle,
       [](CDrawRect& r) {
         r.EnableHatch(TRUE);
         r.SetHatchStyle(99);
       },
       nullptr, {}, 0, 0, 0, 0, 0},
  };
  for (const Case& test : cases) {
    CDrawRect shape(CRect(0, 20, 40, 0), test.shape);
    test.style(shape);
    RecordingDc recording;
    recording.dc.SetBkMode(TRANSPARENT);
    recording.dc.SetBkColor(RGB(1, 2, 3));
    CPen* pen = recording.dc.GetCurrentPen();
    CBrush* brush = recording.dc.GetCurrentBrush();
    shape.Draw(&recording.dc);
    const std::vector<platform::DrawOp> ops = recording.recorder->Ops();
    if (!test.call) {
      EXPECT_TRUE(ops.empty()) << test.what;
    } else {
      ASSERT_EQ(ops.size(), 1u) << test.what;
      const platform::DrawOp& op = ops[0];
      EXPECT_EQ(op.call, test.call) << test.what;
      ASSERT_EQ(op.logical.size(), test.logical.size()) << test.what;
      for (size_t i = 0; i < op.logical.size(); ++i) {
        EXPECT_EQ(CPoint(op.logical[i]), CPoint(test.logical[i])) << test.what << " point " << i;
      }
      EXPECT_EQ(op.pen.Kind(), test.penKind) << test.what;
      EXPECT_EQ(op.brush.style, test.brushStyle) << test.what;
      if (test.brushStyle != BS_NULL) {
        EXPECT_EQ(op.brush.color, test.brushColor) << test.what;
      }
      if (test.brushStyle == BS_HATCHED) {
        EXPECT_EQ(op.brush.hatch, HS_CROSS) << test.what;
      }
      EXPECT_EQ(op.bkMode, test.bkMode) << test.what;
      EXPECT_EQ(op.bkColor, test.bkColor) << test.what;
    }
    // The device context is left as it was.
    EXPECT_EQ(recording.dc.GetBkMode(), TRANSPARENT) << test.what;
    EXPECT_EQ(recording.dc.GetBkColor(), RGB(1, 2, 3)) << test.what;
    EXPECT_EQ(recording.dc.GetCurrentPen()->GetSafeHandle(), pen->GetSafeHandle()) << test.what;
    EXPECT_EQ(recording.dc.GetCurrentBrush()->GetSafeHandle(), brush->GetSafeHandle()) << test.what;
  }
}

// A document that can be told to refuse every recording.
class RefusingDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    return refuse ? FALSE : CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  bool refuse = false;
};

class RectOnDiagram : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.GetDiagram()->SetDocument(&doc);
    shape = doc.GetDiagram()->MakeDrawRect(CPoint(0, 0));
    ASSERT_NE(shape, nullptr);
    ASSERT_TRUE(doc.GetDiagram()->Add(shape));
    shape->MoveTo(CRect(0, 100, 100, 0), nullptr);
    doc.ClearUndoStack();
  }

  RefusingDoc doc;
  CDrawRect* shape = nullptr;
};

TEST_F(RectOnDiagram, TheFactoryMakesAnEmptyRectangleAtThePoint) {
  CDrawRect* made = doc.GetDiagram()->MakeDrawRect(CPoint(5, 6));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetPosition(), CRect(5, 6, 5, 6));
  EXPECT_EQ(made->GetShape(), CDrawRect::rectangle);
  EXPECT_EQ(made->GetPenStyle(), static_cast<UINT>(PS_INSIDEFRAME));
  EXPECT_TRUE(made->IsFillEnabled());
  EXPECT_EQ(made->GetDiagram(), nullptr);
  delete made;
}

TEST_F(RectOnDiagram, EveryAttributeSetterUndoesAndRedoes) {
  struct Setter {
    const char* name;
    std::function<int(CDrawRect&)> set;
    std::function<DWORD(const CDrawRect&)> get;
  };
  const Setter setters[] = {
      {"line colour", [](CDrawRect& r) { return r.SetLineColor(RGB(1, 2, 3)); },
       [](const CDrawRect& r) { return r.GetLineColor(); }},
      {"fill colour", [](CDrawRect& r) { return r.SetFillColor(RGB(4, 5, 6)); },
       [](const CDrawRect& r) { return r.GetFillColor(); }},
      {"hatch colour", [](CDrawRect& r) { return r.SetHatchColor(RGB(7, 8, 9)); },
       [](const CDrawRect& r) { return r.GetHatchColor(); }},
      {"hatch style", [](CDrawRect& r) { return r.SetHatchStyle(HS_DIAGCROSS); },
       [](const CDrawRect& r) { return static_cast<DWORD>(r.GetHatchStyle()); }},
      {"fill", [](CDrawRect& r) { return r.EnableFill(FALSE); },
       [](const CDrawRect& r) { return static_cast<DWORD>(r.IsFillEnabled()); }},
      {"hatch", [](CDrawRect& r) { return r.EnableHatch(TRUE); },
       [](const CDrawRect& r) { return static_cast<DWORD>(r.IsHatchEnabled()); }},
      {"pen size (the bounds grow)", [](CDrawRect& r) { return r.SetPenStyle(PS_SOLID, 9); },
       [](const CDrawRect& r) { return static_cast<DWORD>(r.GetPenSize()); }},
      {"pen style", [](CDrawRect& r) { return r.SetPenStyle(PS_DASH, 0); },
       [](const CDrawRect& r) { return static_cast<DWORD>(r.GetPenStyle()); }},
  };
  for (const Setter& setter : setters) {
    const DWORD before = setter.get(*shape);
    const CRect bounds = shape->GetBoundingRect();
    ASSERT_EQ(setter.set(*shape), 1) << setter.name;
    const DWORD changed = setter.get(*shape);
    ASSERT_NE(changed, before) << setter.name;
    ASSERT_TRUE(doc.UndoLast()) << setter.name;
    EXPECT_EQ(setter.get(*shape), before) << setter.name;
    EXPECT_EQ(shape->GetBoundingRect(), bounds) << setter.name;
    ASSERT_TRUE(doc.RedoLast()) << setter.name;
    EXPECT_EQ(setter.get(*shape), changed) << setter.name;
    ASSERT_TRUE(doc.UndoLast()) << setter.name;
  }
  EXPECT_EQ(shape->GetShape(), CDrawRect::rectangle);
}

TEST_F(RectOnDiagram, ARoundnessDragUndoesThroughItsReshapeRecord) {
  auto* rounded = new CDrawRect(CRect(0, 100, 100, 0), CDrawRect::roundRectangle);
  ASSERT_TRUE(doc.GetDiagram()->Add(rounded));
  doc.ClearUndoStack();
  ASSERT_TRUE(rounded->InitializeReshaping(9));
  rounded->MoveHandleTo(9, CPoint(60, 70), nullptr);
  rounded->FinalizeDrawing(rounded->GetPosition(), nullptr, 1);
  ASSERT_EQ(rounded->GetHandle(9), CPoint(60, 70));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(rounded->GetHandle(9), CPoint(92, 92));
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(rounded->GetHandle(9), CPoint(60, 70));
}

// A rounded rectangle shrunk by a corner clamps its roundness to the small
// size; growing it back by an undo does not widen the corners again, so the
// roundness is recorded with the size and comes back too.
TEST_F(RectOnDiagram, AShrunkRoundedRectangleGetsItsRoundnessBackWithAnUndo) {
  auto* rounded = new CDrawRect(CRect(0, 100, 100, 0), CDrawRect::roundRectangle);
  ASSERT_TRUE(doc.GetDiagram()->Add(rounded));
  rounded->MoveHandleTo(9, CPoint(60, 70), nullptr);
  doc.ClearUndoStack();
  ASSERT_TRUE(doc.BeginUndoRecording(u"Reshaping", 255));
  ASSERT_TRUE(rounded->InitializeReshaping(5));
  rounded->MoveHandleTo(5, CPoint(20, 80), nullptr);
  rounded->FinalizeDrawing(rounded->GetPosition(), nullptr, 1);
  doc.EndUndoRecording();
  const CPoint shrunk = rounded->GetHandle(9);
  ASSERT_NE(shrunk, CPoint(60, 70));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(rounded->GetPosition(), CRect(0, 100, 100, 0));
  EXPECT_EQ(rounded->GetHandle(9), CPoint(60, 70));
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(rounded->GetHandle(9), shrunk);
}

TEST(DrawRectTest, CloneKeepsShapeAndRoundness) {
  CDrawRect rounded(CRect(0, 100, 100, 0), CDrawRect::roundRectangle);
  rounded.MoveHandleTo(9, CPoint(60, 70), nullptr);
  std::unique_ptr<CDrawObj> copy(rounded.Clone());
  ASSERT_NE(copy, nullptr);
  auto* clone = DYNAMIC_DOWNCAST(CDrawRect, copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetShape(), CDrawRect::roundRectangle);
  EXPECT_EQ(clone->GetHandle(9), CPoint(60, 70));
  EXPECT_EQ(clone->GetPosition(), rounded.GetPosition());
}

// The stream of a rectangle: the drawing-object fields, the hatch from
// version 14 on, then the shape and the roundness.
const std::vector<BYTE> kObjectFields = {
    0x00, 0x00, 0x14, 0x00, 0x28, 0x00, 0x02, 0x00,  // position 0, 20, 40, 2
    0x01, 0x00,                                      // pen on
    0x06, 0x00, 0x01, 0x00, 0x01, 0x00,              // pen style inside frame, width (1, 1)
    0xFF, 0x00, 0x00, 0x00,                          // pen colour red
    0x01, 0x00,                                      // fill on
    0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00, 0x00,  // brush solid, grey, hatch 0
};
const std::vector<BYTE> kHatchFields = {0x01, 0x00, 0x00, 0x80, 0x00, 0x00};  // hatch on, green

std::vector<BYTE> RectBytes(WORD version, WORD shape) {
  std::vector<BYTE> bytes = kObjectFields;
  if (version >= 14) bytes.insert(bytes.end(), kHatchFields.begin(), kHatchFields.end());
  const BYTE tail[] = {static_cast<BYTE>(shape), 0x00, 0x18, 0x00, 0x12, 0x00};  // shape, roundness (24, 18)
  bytes.insert(bytes.end(), std::begin(tail), std::end(tail));
  return bytes;
}

TEST(DrawRectStreamTest, VersionGates) {
  struct Case {
    WORD version;
    WORD shape;
    UINT style;
    BOOL hatch;
  };
  const Case cases[] = {
      // Before version 13 a line's inside-frame pen becomes solid; other
      // shapes keep it.
      {12, CDrawRect::line, PS_SOLID, FALSE},
      {12, CDrawRect::rectangle, PS_INSIDEFRAME, FALSE},
      {13, CDrawRect::line, PS_INSIDEFRAME, FALSE},
      {18, CDrawRect::line, PS_INSIDEFRAME, TRUE},
  };
  for (const Case& test : cases) {
    const std::vector<BYTE> bytes = RectBytes(test.version, test.shape);
    CDrawDoc doc;
    doc.StartLoad(test.version);
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    CDrawRect shape;
    shape.Serialize(ar);
    shape.SetDiagram(nullptr);
    EXPECT_EQ(shape.GetShape(), test.shape) << test.version;
    EXPECT_EQ(shape.GetPosition(), CRect(0, 20, 40, 2)) << test.version;
    EXPECT_EQ(shape.GetPenStyle(), test.style) << test.version;
    EXPECT_EQ(shape.GetLineColor(), RGB(255, 0, 0)) << test.version;
    EXPECT_EQ(shape.IsHatchEnabled(), test.hatch) << test.version;
    // Exactly the bytes of that version were read.
    BYTE beyond = 0;
    EXPECT_THROW(ar >> beyond, CArchiveException) << test.version;
  }
}

TEST(DrawRectStreamTest, StoresTheRecordByteForByteAndReadsItBack) {
  CDrawRect shape(CRect(0, 20, 40, 2), CDrawRect::roundRectangle);
  shape.SetPenStyle(PS_INSIDEFRAME, 1);
  shape.SetLineColor(RGB(255, 0, 0));
  shape.EnableHatch(TRUE);
  shape.SetHatchColor(RGB(0, 128, 0));
  // Roundness (24, 18): the handle sits half of it inside the corner.
  shape.MoveHandleTo(9, CPoint(28, 11), nullptr);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    shape.Serialize(ar);
    ar.Close();
  }
  const std::vector<BYTE> expected = RectBytes(18, CDrawRect::roundRectangle);
  ASSERT_EQ(file.GetLength(), expected.size());
  std::vector<BYTE> bytes(expected.size());
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  EXPECT_EQ(bytes, expected);

  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CDrawRect loaded;
  loaded.Serialize(ar);
  EXPECT_EQ(loaded.GetShape(), CDrawRect::roundRectangle);
  EXPECT_EQ(loaded.GetHandle(9), CPoint(28, 11));
  EXPECT_EQ(loaded.GetPenStyle(), static_cast<UINT>(PS_INSIDEFRAME));
  EXPECT_EQ(loaded.GetHatchColor(), RGB(0, 128, 0));
}

TEST(DrawRectStreamTest, AnUnknownShapeIsRefused) {
  const std::vector<BYTE> bytes = RectBytes(18, 4);
  CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  CDrawRect shape;
  EXPECT_THROW(shape.Serialize(ar), CArchiveException);
}

TEST(DrawRectStreamTest, TravelsAsAnObjectOfItsClass) {
  _InitScrivel();
  CDrawRect shape(CRect(0, 20, 40, 2), CDrawRect::ellipse);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(&shape);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
  auto* rect = DYNAMIC_DOWNCAST(CDrawRect, loaded.get());
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->GetShape(), CDrawRect::ellipse);
  EXPECT_EQ(rect->GetPosition(), CRect(0, 20, 40, 2));
}

}  // namespace
