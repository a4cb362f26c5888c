#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal build,
# and a clang build with AddressSanitizer + UndefinedBehaviorSanitizer that also
# runs each fuzz target for a bounded number of iterations.
# The sanitizer build compiles while the normal build's tests run (many of those
# wait on a window), and the fuzzers run beside the sanitizer build's tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing
JOBS="${JOBS:-$(nproc)}"
# Tests that wait on a window or a server leave the cores idle: run more at once.
TEST_JOBS="${TEST_JOBS:-$((2 * JOBS))}"
SECONDS=0
phase() { echo "== $* (at ${SECONDS} s)"; }
# Runs a build folder's tests. The real-window tests judge screenshots against
# the clock, and a machine still compiling the other build can starve them; a
# test that failed is run once more on its own, and said so, so a fault that
# fails every time still fails the run.
run_ctest() {
  local dir="$1"
  (cd "$dir" && ctest --output-on-failure -j "$TEST_JOBS") && return 0
  echo "== some tests in $dir failed; running those once more, one at a time"
  (cd "$dir" && ctest --output-on-failure --rerun-failed) || return 1
  echo "== NOTE: the tests above failed once and passed on their second run in $dir"
}

phase "normal build"
build build

phase "sanitizer build, beside the normal build's tests"
asan_log="$ROOT/build/sanitizer-build.log"
(build build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPLOTFRAY_SANITIZE=ON -DPLOTFRAY_FUZZ=ON -DPLOTFRAY_BENCH=OFF \
  -DPLOTFRAY_DATA_FROM="$ROOT/build/data") > "$asan_log" 2>&1 &
asan_build=$!
normal_tests=0
run_ctest "$ROOT/build" || normal_tests=$?
phase "normal build's tests done"
if ! wait $asan_build; then
  tail -n 60 "$asan_log"; echo "the sanitizer build failed (all of it in $asan_log)"; exit 1
fi
[ $normal_tests -eq 0 ] || { echo "the normal build's tests failed"; exit 1; }

phase "sanitizer build's tests, beside the fuzzers"
fuzz_log="$ROOT/build-asan/fuzz.log"
"$ROOT/scripts/fuzz.sh" "$ROOT/build-asan" "${FUZZ_RUNS:-20000}" > "$fuzz_log" 2>&1 &
fuzzing=$!
asan_tests=0
(
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  run_ctest "$ROOT/build-asan"
) || asan_tests=$?
phase "sanitizer build's tests done"
fuzz_ok=0
wait $fuzzing || fuzz_ok=$?
cat "$fuzz_log"
[ $asan_tests -eq 0 ] || { echo "the sanitizer build's tests failed"; exit 1; }
[ $fuzz_ok -eq 0 ] || { echo "fuzzing failed"; exit 1; }
phase "all tests passed"
