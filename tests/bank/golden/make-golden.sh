#!/usr/bin/env bash
# Writes the known-good bank files of this folder and, beside each, what
# `morvane-bank show` prints for every preset in it. Run it from a normal
# build after a deliberate change of the file format or of show's output,
# check the differences, and commit what it writes:
#     tests/bank/golden/make-golden.sh build/bin
# The bank is a choice of factory presets that together use every module
# chunk but "Ntmp": FM, ring and double oscillators, a waveshaper, highpass,
# lowpass, band-pass and comb filters, LFOs, user waves and all three
# effects; it is written in both byte orders.
set -euo pipefail
bin=$(cd "${1:?usage: make-golden.sh BUILD_BIN_FOLDER}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
tool="$bin/morvane-bank"
factory="$bin/Factory Presets.glo"
little="$here/golden-little.glo"
big="$here/golden-big.glo"
rm -f "$little" "$big" "$here"/*.show "$here"/*.bak
slot=0
for from in 0 3 5 12 16 21 22 31 33 35; do
  "$tool" copy "$factory" "$from" "$little" "$slot" >/dev/null
  slot=$((slot + 1))
done
"$tool" convert --big-endian "$little" "$big" >/dev/null
rm -f "$here"/*.bak
for bank in "$little" "$big"; do
  out="${bank%.glo}.show"
  : >"$out"
  for s in $(seq 0 $((slot - 1))); do
    echo "## show $(basename "$bank") $s" >>"$out"
    (cd "$here" && "$tool" show "$(basename "$bank")" "$s") >>"$out"
  done
done
