#!/usr/bin/env bash
# Runs the example hosts of a build; their pictures and files go to demo-output/.
set -euo pipefail
build=${1:-build/dev}
out=demo-output
mkdir -p "$out"
# The build's own ODBC set-up (the data source "Qelvo"); nothing in /etc.
export ODBCSYSINI="$(cd "$build" && pwd)/odbc"
export ODBCINI="$ODBCSYSINI/odbc.ini"
shopt -s nullglob
for d in "$build"/bin/demo_*; do
  echo "== $(basename "$d")"
  "$d" "$out"
done
echo "Results are in $out/"
