#!/usr/bin/env bash
# Runs every benchmark of a release build.
set -euo pipefail
build=${1:-build/release}
shopt -s nullglob
for b in "$build"/bin/bench_*; do
  echo "== $(basename "$b")"
  "$b"
done
