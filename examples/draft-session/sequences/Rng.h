// The random source of a generated session: a 64-bit Mersenne twister with
// its own small draws, so that a seed gives the same session with every
// standard library.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace draftsequence {

class Rng {
 public:
  explicit Rng(uint64_t seed) : engine_(seed) {}

  // A whole number from lo to hi, both included.
  int Int(int lo, int hi) {
    return lo + static_cast<int>(engine_() % static_cast<uint64_t>(hi - lo + 1));
  }
  double Real(double lo, double hi) { return lo + (hi - lo) * static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  bool Chance(double p) { return Real(0, 1) < p; }
  template <typename T>
  const T& Pick(const std::vector<T>& v) {
    return v[static_cast<size_t>(Int(0, static_cast<int>(v.size()) - 1))];
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace draftsequence
