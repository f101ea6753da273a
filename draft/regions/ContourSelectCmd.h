// Offset contours of picked entities: the user picks lines, arcs and
// circles (a click, or a window after a click on nothing); the right button
// chains them end to end, from the first pick backwards and forwards, into
// copies that are shown; each click then adds an offset contour at the
// cursor's distance or the typed one (TAB: double). The chain is open in
// chain mode 1 (its ends have no neighbours); a closed one (chain mode 0) is
// turned to run counter-clockwise, as a found contour is. A second right
// button drops the chain, a third ends the command.
#pragma once

#include "draft/regions/ContourCmd.h"

class CContourSelectCmd : public CContourCmd {
 public:
  CContourSelectCmd(int id, CDraftView* view, int chainMode);

  int Begin(CDraftView* view) override;
  int OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
  int OnRButton(CDraftView* view) override;
  CEntity* OffsetEntity(CDraftView* view, CEntity* previous, CEntity* entity, CEntity* next, double h,
                        int preview) override;

 protected:
  int BuildShortContour(CDraftView* view, int side, int preview) override;
  // Line–arc crossings take the piece's own end whichever way the arc runs.
  GPoint LineArcReference(bool previous, int arcSign, const GPoint& s0, const GPoint& e0) override;
  GPoint ArcLineReference(bool previous, int pieceSign, const GPoint& lineStart, const GPoint& lineEnd) override;

 private:
  // The right button with picks and no chain: the chain is built.
  void BuildChain(CDraftView* view);
};
