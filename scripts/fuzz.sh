#!/usr/bin/env bash
# fuzz.sh BUILD_DIR RUNS: runs every fuzz target of BUILD_DIR over its seed corpus
# (tests/corpus/NAME) plus RUNS generated inputs. New inputs go to a scratch folder.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dir="$1"; runs="$2"
shopt -s nullglob
for src in "$ROOT"/tests/fuzz/*.cpp; do
  name="$(basename "$src" .cpp)"
  exe="$dir/$name"
  [ -x "$exe" ] || { echo "fuzz: $name was not built"; exit 1; }
  scratch="$(mktemp -d)"
  seeds="$ROOT/tests/corpus/$name"
  mkdir -p "$seeds"
  start=$(date +%s)
  "$exe" -runs="$runs" -max_len=65536 -timeout=10 "$scratch" "$seeds" >"$scratch.log" 2>&1 || {
    cat "$scratch.log"; echo "fuzz: $name FAILED"; exit 1; }
  echo "fuzz: $name ok, $runs runs in $(( $(date +%s) - start )) s"
  rm -rf "$scratch" "$scratch.log"
done
