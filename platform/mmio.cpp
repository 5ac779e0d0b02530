// RIFF reading (the multimedia file calls used for WAV files): open a file,
// descend into RIFF/LIST/plain chunks, read, ascend, close. Chunk headers are
// little-endian and parsed byte by byte; sizes that point past the file or
// the parent chunk end the search with "chunk not found", never a crash.
#include "platform/internal.h"
#include <cstdio>
#include <set>

namespace plat {
struct MmioRec {
    FILE* f = nullptr;
    long size = 0;
};
static std::set<MmioRec*>& mmios()
{
    static std::set<MmioRec*> m;
    return m;
}
static MmioRec* mmioOf(HMMIO h)
{
    MmioRec* m = (MmioRec*)h;
    return mmios().count(m) ? m : nullptr;
}
static DWORD le32(const unsigned char* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}
}  // namespace plat

using namespace plat;

HMMIO mmioOpenA(LPSTR name, MMIOINFO*, DWORD flags)
{
    if (!name || (flags & (MMIO_WRITE | MMIO_READWRITE))) return nullptr;
    FILE* f = fopen(name, "rb");
    if (!f) return nullptr;
    MmioRec* m = new MmioRec();
    m->f = f;
    fseek(f, 0, SEEK_END);
    m->size = ftell(f);
    fseek(f, 0, SEEK_SET);
    mmios().insert(m);
    return (HMMIO)m;
}

MMRESULT mmioDescend(HMMIO h, LPMMCKINFO ck, const MMCKINFO* parent, UINT flags)
{
    MmioRec* m = mmioOf(h);
    if (!m || !ck) return MMIOERR_CHUNKNOTFOUND;
    long pos = ftell(m->f);
    long end = m->size;
    if (parent) {
        long pend = (long)parent->dwDataOffset + (long)parent->cksize;
        if (pend < end) end = pend;
    }
    FOURCC wantId = ck->ckid, wantType = ck->fccType;
    for (;;) {
        if (pos < 0 || pos + 8 > end) return MMIOERR_CHUNKNOTFOUND;
        unsigned char hdr[12];
        if (fseek(m->f, pos, SEEK_SET) != 0 || fread(hdr, 1, 8, m->f) != 8) return MMIOERR_CHUNKNOTFOUND;
        FOURCC id = le32(hdr);
        DWORD size = le32(hdr + 4);
        FOURCC type = 0;
        bool container = id == FOURCC_RIFF || id == FOURCC_LIST;
        if (container) {
            if (pos + 12 > end || fread(hdr + 8, 1, 4, m->f) != 4) return MMIOERR_CHUNKNOTFOUND;
            type = le32(hdr + 8);
        }
        bool match;
        if (flags & MMIO_FINDRIFF)
            match = id == FOURCC_RIFF && type == wantType;
        else if (flags & MMIO_FINDLIST)
            match = id == FOURCC_LIST && type == wantType;
        else if (flags & MMIO_FINDCHUNK)
            match = id == wantId;
        else
            match = true;
        if (match) {
            ck->ckid = id;
            ck->cksize = size;
            ck->fccType = type;
            ck->dwDataOffset = (DWORD)(pos + 8);
            ck->dwFlags = 0;
            fseek(m->f, pos + (container ? 12 : 8), SEEK_SET);
            return MMSYSERR_NOERROR;
        }
        long next = pos + 8 + (long)size + (long)(size & 1);
        if (next <= pos) return MMIOERR_CHUNKNOTFOUND;
        pos = next;
    }
}

LONG mmioRead(HMMIO h, char* buf, LONG count)
{
    MmioRec* m = mmioOf(h);
    if (!m || !buf || count < 0) return -1;
    return (LONG)fread(buf, 1, (size_t)count, m->f);
}

MMRESULT mmioAscend(HMMIO h, LPMMCKINFO ck, UINT)
{
    MmioRec* m = mmioOf(h);
    if (!m || !ck) return MMIOERR_CANNOTSEEK;
    long end = (long)ck->dwDataOffset + (long)ck->cksize + (long)(ck->cksize & 1);
    if (end < 0 || fseek(m->f, end, SEEK_SET) != 0) return MMIOERR_CANNOTSEEK;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioClose(HMMIO h, UINT)
{
    MmioRec* m = mmioOf(h);
    if (!m) return MMIOERR_CANNOTSEEK;
    fclose(m->f);
    mmios().erase(m);
    delete m;
    return MMSYSERR_NOERROR;
}

LONG mmioSeek(HMMIO h, LONG offset, int origin)
{
    MmioRec* m = mmioOf(h);
    if (!m || fseek(m->f, offset, origin) != 0) return -1;
    return (LONG)ftell(m->f);
}
