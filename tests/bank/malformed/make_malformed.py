#!/usr/bin/env python3
"""Writes the damaged bank files of this folder, one per fault.

Each file is built chunk by chunk in little-endian order; the presets in it
are minimal (a patch chunk, maybe one oscillator chunk, then "pEnd"). The
test bank_malformed_test.cpp holds the result each file must give. Run it
again only when a file is added: the files are kept in the repository.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def chunk(ctype, body=b"", version=10, size=None):
    if size is None:
        size = len(body)
    return struct.pack("<4sii", ctype[::-1], size, version) + body


def patch(slot, name):
    # preset, poly (int16 in 4-byte slots), amp, trans, pan, retrigger rate
    # (double), retrigger beat, microtune (int16 slot), 34 name bytes.
    return struct.pack("<h2xh2xfffdfh2x34s", slot, 4, 1.0, 1.0, 0.5, 88200.0, 4.0, 0,
                       name.encode().ljust(34, b"\0"))


def oscil(index, mode=2):
    floats = [440.0, 0.0, 1.0, 0.75, 1.0, 0.0, 440.0, 0.5, 2.0, 0.5]
    ints = [mode, 0, 0, 0, 0, index, 0]
    return struct.pack("<10f7iB3x", *floats, *ints, 1)


def preset(slot, name, *extra):
    return chunk(b"ptch", patch(slot, name)) + b"".join(extra) + chunk(b"pEnd")


def header(version=1):
    return chunk(b"Clam", struct.pack("<ii", 2, 0), version=version)


TAIL = chunk(b"tail")
GOOD = header() + preset(0, "first") + preset(1, "second")

FILES = {
    # The file ends seven bytes into the header of a third preset.
    "truncated-header.glo": GOOD + chunk(b"ptch", patch(2, "third"))[:7],
    # A patch chunk announces 70 bytes and the file holds 20 of them.
    "body-longer-than-file.glo": GOOD + chunk(b"ptch", patch(2, "third"))[:12 + 20],
    # A chunk of 70000 bytes (above what a chunk may hold) with its body
    # present, then one more preset: the big chunk is skipped.
    "size-above-65535.glo": GOOD + chunk(b"zzzz", bytes(70000)) + preset(2, "third") + TAIL,
    # The same size with no body behind it: reading stops there.
    "size-above-65535-past-end.glo": GOOD + chunk(b"zzzz", size=70000) + preset(2, "third") + TAIL,
    # An unknown chunk inside a preset is skipped, the preset kept.
    "unknown-chunk.glo": header() + chunk(b"ptch", patch(0, "first")) + chunk(b"abcd", bytes(8))
    + chunk(b"ocil", oscil(1)) + chunk(b"pEnd") + TAIL,
    # A file header of version 2.
    "version-too-new.glo": header(version=2) + preset(0, "first") + TAIL,
    # An oscillator chunk of version 11 is refused; the preset keeps its default.
    "module-version-too-new.glo": header() + chunk(b"ptch", patch(0, "first"))
    + chunk(b"ocil", oscil(1), version=11) + chunk(b"pEnd") + TAIL,
    # The second preset is never closed by "pEnd" or "tail".
    "preset-never-closed.glo": header() + preset(0, "first")
    + chunk(b"ptch", patch(1, "open")) + chunk(b"ocil", oscil(0)),
    # A chunk whose size is negative: reading stops, earlier presets stay.
    "negative-chunk-size.glo": GOOD + chunk(b"zzzz", size=-40) + preset(2, "third") + TAIL,
    # An envelope list whose count is negative reads as an empty list.
    "negative-envelope-count.glo": header() + preset(0, "first", chunk(b"env ", struct.pack("<h2x", -5)))
    + TAIL,
    # An oscillator chunk naming channel 3 (there are 0..2) is ignored.
    "index-out-of-range.glo": header() + preset(0, "first", chunk(b"ocil", oscil(3))) + TAIL,
    # A preset number outside 0..127 is not added.
    "preset-number-out-of-range.glo": header() + preset(200, "lost") + preset(1, "second") + TAIL,
    # A header chunk of the other byte order (empty, version 0) in the middle
    # of a file must not turn the rest of the file around: it is skipped.
    "byte-order-switch-mid-file.glo": header() + preset(0, "first")
    + struct.pack(">4sii", b"Clam", 0, 0) + preset(1, "second") + TAIL,
    # A second file header inside a preset drops that preset.
    "header-chunk-inside-preset.glo": header() + preset(0, "first") + chunk(b"ptch", patch(1, "cut"))
    + header() + chunk(b"pEnd") + preset(2, "third") + TAIL,
    # Not a bank at all.
    "not-a-bank.glo": b"This is a text file, not a bank of presets.\n",
    # An empty file.
    "empty.glo": b"",
}

if __name__ == "__main__":
    for name, data in FILES.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
