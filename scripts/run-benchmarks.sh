#!/usr/bin/env bash
# Runs every benchmark of a release build.
set -euo pipefail
build=${1:-build/release}
# The build's own ODBC set-up (the data source "Qelvo").
export ODBCSYSINI="$(cd "$build" && pwd)/odbc"
export ODBCINI="$ODBCSYSINI/odbc.ini"
shopt -s nullglob
for b in "$build"/bin/bench_*; do
  echo "== $(basename "$b")"
  "$b"
done
