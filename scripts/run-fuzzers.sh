#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds each, from its seed corpus
# and with its dictionary (<room>/fuzz/dicts/<target>.dict) when it has one.
set -euo pipefail
build=${1:-build/fuzz}
seconds=${2:-20}
shopt -s nullglob
for fuzzer in "$build"/bin/fuzz_*; do
  name=$(basename "$fuzzer")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "platform/fuzz/seeds/$name" ] && seeds+=("platform/fuzz/seeds/$name")
  for d in */fuzz/seeds/"$name"; do [ -d "$d" ] && seeds+=("$d"); done
  dict=()
  for f in */fuzz/dicts/"$name".dict; do [ -f "$f" ] && dict=("-dict=$f"); done
  echo "== $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 "${dict[@]}" "$corpus" \
    "${seeds[@]}"
done
