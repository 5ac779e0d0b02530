#!/usr/bin/env bash
# The test command: installs what is missing, then builds and runs the whole
# suite twice, once in the normal build and once under ASan + UBSan.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

echo "== code style =="
./scripts/check-format.sh

JOBS=2
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$JOBS"
  (cd "$dir" && ctest --output-on-failure -j"$JOBS" --timeout 600)
}

echo "== normal build =="
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== sanitizer build (ASan + UBSan) =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON -DMORVANE_BENCH=OFF

echo "== fuzzing the bank reader (short run over the kept corpus) =="
./scripts/run-fuzz.sh bank_fuzz tests/bank/fuzz/corpus 20
echo "== fuzzing the preferences reader (short run over the kept corpus) =="
./scripts/run-fuzz.sh prefs_fuzz tests/engine/fuzz/corpus 10 16384
echo "== fuzzing the WAV extraction (short run over the kept corpus) =="
./scripts/run-fuzz.sh wav_fuzz tests/windows/fuzz/corpus 10 16384
