// One direct connection that a composite block's boundary stands for: the
// port a wire leaves outside or inside the block, the port it finally
// reaches on the other side, and the class of the wire to rebuild between
// them.
#pragma once

struct CRuntimeClass;
class CDrawPort;

struct PortPairAndArcClass {
  CDrawPort* pSrcPort = nullptr;
  CDrawPort* pDestPort = nullptr;
  CRuntimeClass* pArcClass = nullptr;
};
