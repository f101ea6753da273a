// The generated family of large block diagrams that the routing benchmark
// lays wires on: B blocks of 60 x 40 generator units in a jittered grid and
// W wires from a pin on the right edge of one block to a pin on the left edge
// of another, all drawn from one std::mt19937 seeded with 12345. Only raw
// outputs of the engine are used (every draw is `rng() % n`), never a
// standard distribution, so every standard library builds the same diagrams.
// The generator's units are integers, x to the right and y down; the
// benchmark multiplies them by 10 into diagram units.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace routingfamily {

struct Block {
  int left = 0;
  int top = 0;
};

struct Wire {
  int source = 0;        // block whose right edge has the source pin
  int target = 0;        // block whose left edge has the target pin
  int sourceOffset = 0;  // the pins' offsets from their blocks' tops, 5..35
  int targetOffset = 0;
};

constexpr int kBlockWidth = 60;
constexpr int kBlockHeight = 40;

struct Plan {
  int columns = 0;
  std::vector<Block> blocks;
  std::vector<Wire> wires;
};

inline Plan MakePlan(int blockCount, int wireCount) {
  Plan plan;
  std::mt19937 rng(12345);
  plan.columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(blockCount))));
  const auto b = static_cast<uint32_t>(blockCount);
  for (int i = 0; i < blockCount; ++i) {
    const int jx = static_cast<int>(rng() % 21) - 10;
    const int jy = static_cast<int>(rng() % 21) - 10;
    plan.blocks.push_back({(i % plan.columns) * 100 + jx, (i / plan.columns) * 80 + jy});
  }
  for (int w = 0; w < wireCount; ++w) {
    Wire wire;
    wire.source = static_cast<int>(rng() % b);
    do {
      wire.target = static_cast<int>(rng() % b);
    } while (wire.target == wire.source);
    wire.sourceOffset = 5 + static_cast<int>(rng() % 31);
    wire.targetOffset = 5 + static_cast<int>(rng() % 31);
    plan.wires.push_back(wire);
  }
  return plan;
}

// The plan's fingerprint in the form the family's description lists it.
inline std::string Fingerprint(const Plan& plan) {
  int64_t sumLeft = 0, sumTop = 0, sumS = 0, sumT = 0, sumSy = 0, sumTy = 0;
  for (const Block& block : plan.blocks) {
    sumLeft += block.left;
    sumTop += block.top;
  }
  for (const Wire& wire : plan.wires) {
    sumS += wire.source;
    sumT += wire.target;
    sumSy += wire.sourceOffset;
    sumTy += wire.targetOffset;
  }
  std::ostringstream out;
  out << "B=" << plan.blocks.size() << " W=" << plan.wires.size() << " cols=" << plan.columns;
  for (size_t i = 0; i < 2 && i < plan.blocks.size(); ++i)
    out << " block" << i << "=(" << plan.blocks[i].left << "," << plan.blocks[i].top << ")";
  out << " sumLeft=" << sumLeft << " sumTop=" << sumTop;
  if (!plan.wires.empty()) {
    const Wire& w0 = plan.wires.front();
    out << " wire0: s=" << w0.source << " t=" << w0.target << " sy=" << w0.sourceOffset << " ty=" << w0.targetOffset;
  }
  out << " sum(s)=" << sumS << " sum(t)=" << sumT << " sum(sy)=" << sumSy << " sum(ty)=" << sumTy;
  return out.str();
}

// The sizes of the family and the fingerprint each must have.
struct Size {
  int blocks;
  int wires;
  const char* fingerprint;
};

constexpr Size kSizes[] = {
    {20, 40,
     "B=20 W=40 cols=5 block0=(5,5) block1=(93,-7) sumLeft=3975 sumTop=2436 wire0: s=19 t=12 sy=9 ty=34 "
     "sum(s)=351 sum(t)=355 sum(sy)=756 sum(ty)=756"},
    {50, 100,
     "B=50 W=100 cols=8 block0=(5,5) block1=(93,-7) sumLeft=16905 sumTop=10554 wire0: s=48 t=25 sy=17 ty=27 "
     "sum(s)=2625 sum(t)=2482 sum(sy)=2044 sum(ty)=1973"},
    {100, 300,
     "B=100 W=300 cols=10 block0=(5,5) block1=(93,-7) sumLeft=44964 sumTop=35996 wire0: s=2 t=40 sy=8 ty=26 "
     "sum(s)=14913 sum(t)=14276 sum(sy)=6042 sum(ty)=6179"},
    {200, 600,
     "B=200 W=600 cols=15 block0=(5,5) block1=(93,-7) sumLeft=137421 sumTop=98714 wire0: s=65 t=60 sy=28 ty=25 "
     "sum(s)=58174 sum(t)=58557 sum(sy)=11960 sum(ty)=12187"},
    {400, 1200,
     "B=400 W=1200 cols=20 block0=(5,5) block1=(93,-7) sumLeft=379908 sumTop=303889 wire0: s=167 t=59 sy=31 "
     "ty=31 sum(s)=246440 sum(t)=238341 sum(sy)=24169 sum(ty)=24114"},
    {800, 2400,
     "B=800 W=2400 cols=29 block0=(5,5) block1=(93,-7) sumLeft=1109877 sumTop=851138 wire0: s=683 t=210 sy=14 "
     "ty=24 sum(s)=965798 sum(t)=944842 sum(sy)=47450 sum(ty)=47352"},
};

}  // namespace routingfamily
