#!/usr/bin/env bash
# Times CI as a new user meets it: a clean clone of a commit, two cores, no
# compiler cache. Prints wall-clock and user+sys CPU minutes per phase
# (the CPU time does not depend on what else loads the machine).
#   scripts/time-ci.sh [COMMIT] [CORES]   (default HEAD, cores 0,1)
#   PHASES="fuzz-config fuzz-build" scripts/time-ci.sh ...   (some phases only)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=${1:-HEAD}
cores=${2:-0,1}
work=$(mktemp -d /tmp/scrivel-ci-time.XXXXXX)
git clone -q --no-local "$repo" "$work/src"
git -C "$work/src" checkout -q "$(git -C "$repo" rev-parse "$commit")"
cd "$work/src"
export CCACHE_DISABLE=1
jobs=$(taskset -c "$cores" nproc)
phase() {
  local name=$1; shift
  /usr/bin/time -f "$name %e %U %S" -o "$work/$name.time" taskset -c "$cores" "$@" >"$work/$name.log" 2>&1 ||
    { echo "$name failed; see $work/$name.log"; exit 1; }
  awk '{ printf "%-12s wall %6.1f min   user+sys %6.1f min\n", $1, $2/60, ($3+$4)/60 }' "$work/$name.time"
}
# The phases of `make test` (Makefile), each timed by itself; PHASES picks some.
phases=${PHASES:-"configure build tests fuzz-config fuzz-build fuzz-runs"}
for p in $phases; do
  case $p in
    configure) phase configure cmake --preset ci ;;
    build) phase build cmake --build --preset ci -j "$jobs" ;;
    tests) phase tests ctest --preset ci -j "$jobs" ;;
    fuzz-config) phase fuzz-config cmake --preset fuzz ;;
    fuzz-build) phase fuzz-build cmake --build --preset fuzz -j "$jobs" --target fuzzers ;;
    fuzz-runs) phase fuzz-runs scripts/run-fuzzers.sh build/fuzz 20 ;;
  esac
done
awk '{ w += $2; c += $3 + $4 } END { printf "%-12s wall %6.1f min   user+sys %6.1f min\n", "total", w/60, c/60 }' "$work"/*.time
echo "logs in $work"
