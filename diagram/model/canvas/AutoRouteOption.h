// AutoRouteOption: the routing options of the whole library, one record that
// every router receives: the distances kept clear on each side of a page
// boundary, the minimum distance between wires (the pitch of every router's
// model, in document units) and whether only blocks are obstacles.
#pragma once

struct AutoRouteOption {
  int m_nLeftMargin = 15;
  int m_nTopMargin = 21;
  int m_nRightMargin = 15;
  int m_nBottomMargin = 15;
  int m_nMinDistance = 10;
  int m_bRouteJustBlocks = 0;
};
