#!/usr/bin/env bash
# Builds one libFuzzer target with clang in its own build folder and runs it
# for a short time over the corpus kept in the repository. New inputs it
# finds go to a scratch folder, so the kept corpus only grows by hand.
# Usage: run-fuzz.sh TARGET CORPUS-FOLDER [seconds (20)] [longest input (131072)]
#   bank_fuzz  tests/bank/fuzz/corpus     the bank file reader
#   prefs_fuzz tests/engine/fuzz/corpus   the preferences reader and writer
#   wav_fuzz   tests/windows/fuzz/corpus  the WAV extraction ("Extract from WAV...")
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="$1"
corpus="$(cd "$2" && pwd)"
seconds="${3:-20}"
maxLen="${4:-131072}"
build="${MORVANE_FUZZ_BUILD:-$root/build-fuzz}"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVANE_FUZZ=ON -DMORVANE_BENCH=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" -j2 --target "$target"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len="$maxLen" -print_final_stats=1 "$scratch" "$corpus"
