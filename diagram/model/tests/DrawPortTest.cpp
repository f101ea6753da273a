// Ports: which wires may join which ports, the outline drawn while a port
// is unlinked, the texts of a loaded port, and the ports a port reaches.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawConstInPort.h"
#include "diagram/model/blocks/DrawInPort.h"
#include "diagram/model/blocks/DrawOutPort.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/BlockDiagramFixture.h"

namespace {

TEST(DrawPortTest, WiresRunFromOutputsToInputs) {
  CDrawInPort in(CPoint(0, 0), nullptr, nullptr);
  CDrawInPort in2(CPoint(0, 20), nullptr, nullptr);
  CDrawOutPort out(CPoint(50, 0), nullptr, nullptr);
  CDrawOutPort out2(CPoint(50, 20), nullptr, nullptr);
  CDrawConstInPort constant(CPoint(0, 40), nullptr, nullptr);
  struct Case {
    const char* what;
    const CDrawPort* src;
    const CDrawPort* dst;
    BOOL allowed;
  };
  const Case cases[] = {
      {"output to input", &out, &in, TRUE},
      {"input to output", &in, &out, FALSE},
      {"output to output", &out, &out2, FALSE},
      {"input to input", &in, &in2, FALSE},
      {"output to constant", &out, &constant, FALSE},
      {"constant to input", &constant, &in, FALSE},
      {"a port to itself", &out, &out, FALSE},
      {"no source", nullptr, &in, FALSE},
      {"no destination", &out, nullptr, FALSE},
  };
  for (const Case& test : cases) EXPECT_EQ(CDrawArc::IsArcAllowedBetween(test.src, test.dst), test.allowed) << test.what;
  EXPECT_EQ(out.CanConnectArc(), arcConnectSource);
  EXPECT_EQ(in.CanConnectArc(), arcConnectDestination);
  EXPECT_EQ(constant.CanConnectArc(), arcConnectNone);
  EXPECT_EQ(in.PreferredArcDirection(), arcDirectionIntoInput);
  EXPECT_EQ(out.PreferredArcDirection(), arcDirectionOther);
  EXPECT_FALSE(constant.AddArc(nullptr));
}

// A wire whose ends a test sets.
class TestArc : public CDrawArc {
 public:
  void SetEnds(CDrawPort* src, CDrawPort* dst, BOOL complete) {
    m_pSrcPort = src;
    m_pDestPort = dst;
    m_bComplete = complete;
  }
};

TEST(DrawPortTest, AHalfMadeWireIsFinishedOnlyAtAPortThatTakesItsFreeEnd) {
  CDrawInPort in(CPoint(0, 0), nullptr, nullptr);
  CDrawOutPort out(CPoint(50, 0), nullptr, nullptr);
  CDrawOutPort out2(CPoint(50, 20), nullptr, nullptr);
  CDrawConstInPort constant(CPoint(0, 40), nullptr, nullptr);
  TestArc fromOut;
  fromOut.SetEnds(&out, nullptr, FALSE);
  TestArc fromIn;
  fromIn.SetEnds(nullptr, &in, FALSE);
  TestArc complete;
  complete.SetEnds(&out, &in, TRUE);
  TestArc loose;
  struct Case {
    const char* what;
    const CDrawPort* port;
    const CDrawArc* arc;
    int result;
  };
  const Case cases[] = {
      {"an output's wire at an input", &in, &fromOut, 1},
      {"an output's wire at another output", &out2, &fromOut, 0},
      {"an output's wire back at its own port", &out, &fromOut, 0},
      {"an input's wire at an output", &out, &fromIn, 1},
      {"an input's wire at a constant", &constant, &fromIn, 0},
      {"a wire with both ends", &in, &complete, 0},
      {"a wire with no end", &in, &loose, 0},
      {"no wire", &in, nullptr, 0},
  };
  for (const Case& test : cases) EXPECT_EQ(test.port->CanCompleteArc(test.arc), test.result) << test.what;
  // The ports' wire lists were never touched: nothing to detach.
  complete.SetEnds(nullptr, nullptr, FALSE);
  fromOut.SetEnds(nullptr, nullptr, FALSE);
  fromIn.SetEnds(nullptr, nullptr, FALSE);
}

// An input port that shows only its first two points until a wire joins it.
class TwoPointInPort : public CDrawInPort {
 public:
  TwoPointInPort() : CDrawInPort(CPoint(0, 0), nullptr, nullptr) {
    m_nUnlinkedPoints = 2;
    m_nPoints = 2;
  }
};

TEST(DrawPortTest, AnUnlinkedPortShowsItsUnlinkedPoints) {
  TwoPointInPort port;
  CDrawOutPort out(CPoint(50, 0), nullptr, nullptr);
  TestArc first;
  TestArc second;
  struct Step {
    const char* what;
    bool add;
    CDrawArc* arc;
    int points;
  };
  const Step steps[] = {
      {"first wire", true, &first, 4},     {"second wire", true, &second, 4}, {"one removed", false, &first, 4},
      {"last removed", false, &second, 2}, {"removed again", false, &second, 2},
  };
  EXPECT_EQ(port.GetHandleCount(), 2);
  for (const Step& step : steps) {
    if (step.add) {
      EXPECT_TRUE(port.AddArc(step.arc, FALSE)) << step.what;
    } else {
      port.RemoveArc(step.arc, FALSE);
    }
    EXPECT_EQ(port.GetHandleCount(), step.points) << step.what;
    EXPECT_EQ(port.IsLinked() != 0, step.points == 4) << step.what;
  }
  EXPECT_FALSE(port.RemoveArc(&first, FALSE));
}

TEST(DrawPortTest, ALinkLabelStoredAsTheValueIsDropped) {
  LinkDiagramLibrary();
  CDrawDoc doc;
  doc.StartLoad(18);
  doctest::Bytes b;
  b.NewClass("CDrawOutPort").DrawObjData(18, 0, -5, 10, 5);  // class 1, object 2
  b.PortTriangle(0);
  b.NewClass("CDrawText").DrawObjData(18, 12, 10, 30, 0);  // class 3, object 4: the link label
  b.Byte(0xFF).Word(0xFFFE).Byte(1).Word(u'v').Word(0x924).Word(1).Ref(0);
  b.Ref(4);  // the value: the same object
  b.Ref(0);  // no label
  b.Ref(0);  // no block
  doctest::LoadArchive in(b.data, &doc);
  std::unique_ptr<CDrawPort> port(static_cast<CDrawPort*>(in.ar().ReadObject(RUNTIME_CLASS(CDrawPort))));
  ASSERT_NE(port, nullptr);
  EXPECT_TRUE(in.AtEnd());
  ASSERT_NE(port->GetValue(), nullptr);
  EXPECT_EQ(port->GetValue()->TextString(), CStringW(u"v"));
  EXPECT_EQ(port->GetLnkLbl(), nullptr);
  EXPECT_EQ(port->GetLabel(), nullptr);
  EXPECT_EQ(port->GetDrawBlock(), nullptr);
}

// Boundary pairs seen from outside: an ordinary output wired to the outer
// port of a pair, whose inner partner is wired on to the outer port of a
// second, nested pair, whose inner partner reaches two inputs, one of them
// also straight from the first pair.
TEST(DrawPortTest, RealConnectionsReachThroughNestedPairsToEachFarEndOnce) {
  std::vector<std::unique_ptr<CDrawPort>> ports;
  auto port = [&ports](bool output) {
    ports.emplace_back(output ? static_cast<CDrawPort*>(new CDrawOutPort(CPoint(0, 0), nullptr, nullptr))
                              : static_cast<CDrawPort*>(new CDrawInPort(CPoint(0, 0), nullptr, nullptr)));
    return ports.back().get();
  };
  CDrawPort* source = port(true);
  CDrawPort* outer1 = port(false);
  CDrawPort* inner1 = port(true);
  CDrawPort* outer2 = port(false);
  CDrawPort* inner2 = port(true);
  CDrawPort* far1 = port(false);
  CDrawPort* far2 = port(false);
  for (auto [a, b] : {std::pair{outer1, inner1}, std::pair{outer2, inner2}}) {
    a->SetAssociatedPort(b);
    b->SetAssociatedPort(a);
  }
  // The ports' destructors free the wires.
  auto wire = [](CDrawPort* src, CDrawPort* dst) {
    auto* arc = new TestArc;
    arc->SetEnds(src, dst, TRUE);
    src->AddArc(arc, FALSE);
    dst->AddArc(arc, FALSE);
  };
  wire(source, outer1);
  wire(inner1, outer2);
  wire(inner1, far1);
  wire(inner2, far1);
  wire(inner2, far2);

  CDrawList reached;
  source->GetRealConnections(reached);
  std::vector<CDrawObj*> got;
  for (POSITION pos = reached.GetHeadPosition(); pos;) got.push_back(reached.GetNext(pos));
  EXPECT_EQ(got, (std::vector<CDrawObj*>{far1, far2}));
  CDrawList direct;
  source->GetConnections(direct);
  EXPECT_EQ(direct.GetCount(), 1);
  EXPECT_TRUE(direct.Find(outer1));
  // Pairs die together: the test lets each port go on its own.
  for (auto& p : ports) p->SetAssociatedPort(nullptr);
}

// A damaged stream: a port names a block that is read with it, lists the
// port and fails further on. The failed block is freed without the port,
// whose own read then fails and frees it once.
TEST(DrawPortTest, ABlockThatFailsWhileItsPortIsReadLeavesThePortToItsRead) {
  LinkDiagramLibrary();
  CDrawDoc doc;
  doc.StartLoad(18);
  doctest::Bytes b;
  b.NewClass("CDrawOutPort").DrawObjData(18, 0, -5, 10, 5);  // class 1, object 2
  b.PortTriangle(0).Ref(0).Ref(0).Ref(0);
  b.NewClass("CDrawBlock").DrawObjData(18, -50, 20, 0, -20);  // class 3, object 4
  b.Word(1).Ref(0).Ref(0).Ref(0).Ref(0);
  b.Word(2).Ref(2);  // two ports: this one, then the stream ends
  doctest::LoadArchive in(b.data, &doc);
  EXPECT_THROW(in.ar().ReadObject(RUNTIME_CLASS(CDrawPort)), CArchiveException);
}

// A damaged stream: a block lists a port that names a second block, whose
// list holds a port naming a third block, which lists the first port while
// that port is still being read. Only the block that the port's own record
// reads may take it: the third block leaves it, so that the port has one
// owner, which the load failures do not free.
TEST(DrawPortTest, APortStillBeingReadIsTakenOnlyByTheBlockItsRecordReads) {
  LinkDiagramLibrary();
  CDrawDoc doc;
  doc.StartLoad(18);
  doctest::Bytes b;
  auto port = [&b](WORD classTag, bool first) {
    if (first) {
      b.NewClass("CDrawOutPort");
    } else {
      b.OldClass(classTag);
    }
    b.DrawObjData(18, 0, -5, 10, 5).PortTriangle(0);
    b.Ref(0).Ref(0).Ref(0);
  };
  auto blockHead = [&b]() { b.DrawObjData(18, -50, 20, 0, -20).Word(1).Ref(0).Ref(0).Ref(0).Ref(0); };
  b.NewClass("CDrawBlock");  // class 1, object 2: the outer block
  blockHead();
  b.Word(1);
  port(0, true);  // class 3, object 4: its port, which names
  b.OldClass(1);  // object 5: a second block, listing
  blockHead();
  b.Word(2);
  port(3, false);  // object 6: a port that names
  b.OldClass(1);   // object 7: a third block, which lists the first port
  blockHead();
  b.Word(1).Ref(4);
  b.Ref(4);  // the second block lists the first port too
  doctest::LoadArchive in(b.data, &doc);
  std::unique_ptr<CDrawBlock> outer(static_cast<CDrawBlock*>(in.ar().ReadObject(RUNTIME_CLASS(CDrawBlock))));
  ASSERT_NE(outer, nullptr);
  EXPECT_TRUE(in.AtEnd());
  ASSERT_EQ(outer->GetPorts().GetCount(), 1);
  auto* first = static_cast<CDrawPort*>(outer->GetPorts().GetHead());
  EXPECT_EQ(first->GetDrawBlock(), outer.get());
  EXPECT_TRUE(doc.LoadFailuresDidOccur());
  // The blocks that the ports named elsewhere go; the outer block's port
  // stays (the sanitizer checks that nothing is freed twice).
  doc.DeleteLoadFailures();
  ASSERT_EQ(outer->GetPorts().GetCount(), 1);
  EXPECT_EQ(static_cast<CDrawPort*>(outer->GetPorts().GetHead())->GetDrawBlock(), outer.get());
}

class PortOnDiagram : public blocktest::BlockDiagram {};

TEST_P(PortOnDiagram, APortReachesThePortsAtTheFarEndsOfItsWires) {
  auto* a = PlaceBlock(1, CPoint(-300, 0));
  auto* b = PlaceBlock(200, CPoint(0, 0));
  auto* c = PlaceBlock(100, CPoint(200, 0));
  ASSERT_TRUE(a && b && c);
  CDrawPort* out = PortOf(a, 0);
  ASSERT_TRUE(Wire(out, PortOf(b, 0)));
  ASSERT_TRUE(Wire(out, PortOf(b, 1)));
  ASSERT_TRUE(Wire(out, PortOf(c, 0)));
  CDrawList far;
  out->GetRealConnections(far);
  EXPECT_EQ(far.GetCount(), 3);
  for (CDrawPort* port : {PortOf(b, 0), PortOf(b, 1), PortOf(c, 0)}) EXPECT_TRUE(far.Find(port));
  CDrawList asSource;
  EXPECT_TRUE(out->GetDirectedArcs(TRUE, asSource));
  EXPECT_EQ(asSource.GetCount(), 3);
  CDrawList asDestination;
  EXPECT_FALSE(out->GetDirectedArcs(FALSE, asDestination));
}

TEST_P(PortOnDiagram, ADeletedPortComesBackAtItsPlaceWithItsWire) {
  auto* a = PlaceBlock(1, CPoint(-300, 0));
  auto* b = PlaceBlock(300, CPoint(0, 0));
  ASSERT_TRUE(a && b);
  CDrawPort* middle = PortOf(b, 1);
  CDrawArc* wire = Wire(PortOf(a, 0), middle);
  ASSERT_NE(wire, nullptr);
  doc.ClearUndoStack();
  ASSERT_TRUE(middle->Delete());
  EXPECT_EQ(b->GetPorts().GetCount(), 2);
  EXPECT_FALSE(PortOf(a, 0)->IsLinked());
  EXPECT_TRUE(diagram->DoesTrashInclude(wire));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(PortOf(b, 1), middle);
  EXPECT_TRUE(wire->IsComplete());
  EXPECT_TRUE(PortOf(a, 0)->IsArcInConnectionList(wire));
  EXPECT_TRUE(middle->IsArcInConnectionList(wire));
}

INSTANTIATE_TEST_SUITE_P(BothDirections, PortOnDiagram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Upward" : "Downward");
                         });

}  // namespace
