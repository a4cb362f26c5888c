#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal build,
# and a clang build with AddressSanitizer + UndefinedBehaviorSanitizer that also
# runs each fuzz target for a bounded number of iterations.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing
JOBS="${JOBS:-$(nproc)}"

echo "== normal build"
build build
(cd "$ROOT/build" && ctest --output-on-failure -j "$JOBS")

echo "== sanitizer build"
build build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPLOTFRAY_SANITIZE=ON -DPLOTFRAY_FUZZ=ON -DPLOTFRAY_BENCH=OFF
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$ROOT/build-asan" && ctest --output-on-failure -j "$JOBS")

echo "== fuzzing"
"$ROOT/scripts/fuzz.sh" "$ROOT/build-asan" "${FUZZ_RUNS:-20000}"
echo "all tests passed"
