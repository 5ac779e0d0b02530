#!/usr/bin/env bash
# Makes the WAV files that the "Extract from WAV..." tests read: good files
# made by sox, and damaged ones made from them (8-bit, float, 3 channels,
# truncated data, a "data" chunk before "fmt ", sizes that lie). The files
# are kept in the repository; run this again only to change them.
# Needs sox and python3.
set -euo pipefail
cd "$(dirname "$0")"

# A sample rate of 1024 makes "sine 1" exactly one cycle per 1024 frames.
sox -D -r 1024 -n -b 16 -c 1 sine-mono16-2048.wav synth 2048s sine 1 vol 0.5
sox -D -r 1024 -n -b 16 -c 1 square-mono16-1024.wav synth 1024s square 1
sox -D -r 1024 -n -b 16 -c 1 left.tmp.wav synth 1024s sine 2 vol 0.5
sox -D -r 1024 -n -b 16 -c 1 right.tmp.wav synth 1024s square 5 vol 0.25
sox -D -M left.tmp.wav right.tmp.wav sine2-stereo16-1024.wav
rm -f left.tmp.wav right.tmp.wav
sox -D -r 1024 -n -b 16 -c 1 short-mono16-256.wav synth 256s sine 1 vol 0.5
sox -D -r 1024 -n -b 16 -c 2 short-stereo16-100.wav synth 100s sine 1 vol 0.5
sox -D -r 1024 -n -b 8 -c 1 bad-8bit.wav synth 512s sine 1
sox -D -r 1024 -n -e floating-point -b 32 -c 1 bad-float.wav synth 512s sine 1
sox -D -r 1024 -n -b 16 -c 3 bad-3channels.wav synth 512s sine 1

python3 - <<'PY'
import struct

def chunks(path):
    data = open(path, 'rb').read()
    assert data[:4] == b'RIFF' and data[8:12] == b'WAVE'
    out, pos = {}, 12
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack('<I', data[pos + 4:pos + 8])[0]
        out[cid] = data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    return out

def chunk(cid, body, size=None):
    size = len(body) if size is None else size
    return cid + struct.pack('<I', size) + body + (b'\0' if len(body) & 1 else b'')

def riff(body, size=None):
    return b'RIFF' + struct.pack('<I', 4 + len(body) if size is None else size) + b'WAVE' + body

good = chunks('sine-mono16-2048.wav')
fmt, data = good[b'fmt '][:16], good[b'data']
fmt18 = fmt + b'\0\0'  # with its extra size, as read
files = {
    # The data chunk promises 4096 bytes; 1000 are there.
    'bad-truncated-data.wav': riff(chunk(b'fmt ', fmt) + chunk(b'data', data[:1000], 4096)),
    'bad-data-before-fmt.wav': riff(chunk(b'data', data) + chunk(b'fmt ', fmt18)),
    # The RIFF size promises far more than the file holds: still readable.
    'lying-riff-size.wav': riff(chunk(b'fmt ', fmt) + chunk(b'data', data), 0x7FFFFFF0),
    'bad-no-riff.wav': b'this is not a RIFF file at all, just text\n',
    'bad-no-fmt.wav': riff(chunk(b'LIST', b'INFOISFT\x04\0\0\0sox\0') + chunk(b'data', data)),
    'bad-short-fmt.wav': riff(chunk(b'fmt ', fmt[:10])),
    'bad-no-data.wav': riff(chunk(b'fmt ', fmt18)),
    'bad-empty-data.wav': riff(chunk(b'fmt ', fmt) + chunk(b'data', b'')),
    'bad-odd-data.wav': riff(chunk(b'fmt ', fmt) + chunk(b'data', b'\x01')),
    # A fmt chunk whose size is far past the end of the file.
    'bad-fmt-size.wav': riff(chunk(b'fmt ', fmt, 0x40000000) + chunk(b'data', data)),
    # 24-bit PCM (format tag 1): read by the upper 16 bits of each sample.
    'pcm24-mono-1024.wav': riff(chunk(b'fmt ', struct.pack('<HHIIHH', 1, 1, 1024, 3072, 3, 24)) +
                                chunk(b'data', b''.join(struct.pack('<i', (v * 256) & 0xFFFFFF)[:3]
                                                         for v in [12000] * 512 + [-12000] * 512))),
}
for name, body in files.items():
    open(name, 'wb').write(body)
PY
