#!/usr/bin/env bash
# Builds the bank reader's libFuzzer target with clang in its own build
# folder and runs it for a short time over the corpus kept in the repository.
# New inputs it finds go to a scratch folder, so the kept corpus only grows
# by hand. Usage: run-fuzz.sh [seconds] (default 20).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
build="${MORVANE_FUZZ_BUILD:-$root/build-fuzz}"
seconds="${1:-20}"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVANE_FUZZ=ON -DMORVANE_BENCH=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" -j2 --target bank_fuzz

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/bin/bank_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=131072 -print_final_stats=1 "$scratch" "$here/corpus"
