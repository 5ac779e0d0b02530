// The verification hook for bank files: which chunk types a bank file may
// hold, which versions this program reads, and the byte order of the file,
// recognised from its first chunk.
#include "bank/bank_internal.h"

namespace {
// Set by the reader before the first header of a file is read: only that
// header may switch the byte order, so a damaged chunk further on cannot
// turn the rest of the file upside down.
bool expectFirst = false;

// Types read into a preset; like "Prst" and "pan ", refused above version 10.
const int32_t versionedTypes[] = {kBankChunkPtch,
                                  kBankChunkOcil,
                                  kBankChunkMod,
                                  kBankChunkFilt,
                                  kBankChunkWshp,
                                  kBankChunkLfo,
                                  kBankChunkEnv,
                                  kBankChunkWave,
                                  kBankChunkNtmp,
                                  kBankChunkCc,
                                  kBankChunkVel,
                                  kBankChunkStCC,
                                  kBankChunkPipe,
                                  kBankChunkMcmb,
                                  kBankChunkMtap,
                                  chunkType('P', 'r', 's', 't'),
                                  chunkType('p', 'a', 'n', ' ')};

// Known types taken without a version check.
const int32_t plainTypes[] = {kBankChunkPEnd,
                              kBankChunkTail,
                              chunkType('C', 'L', 'a', 'M'),
                              chunkType('p', 'r', 's', 't'),
                              chunkType('c', 'n', 't', 'l'),
                              chunkType('e', 'f', 'c', 't'),
                              chunkType('e', 'n', 'v', 'p'),
                              chunkType('f', 'B', 'r', 'o'),
                              chunkType('n', 't', 'm', 'p'),
                              chunkType('p', 'L', 'm', 'p'),
                              chunkType('p', 'L', 'n', 'p'),
                              chunkType('w', 'a', 'v', 'e'),
                              chunkType('z', 'z', 'z', 'z')};

template <size_t N> bool isOneOf(int32_t type, const int32_t (&list)[N])
{
    for (int32_t t : list)
        if (t == type) return true;
    return false;
}

long clamRule(const chunkRec* header)
{
    if (header->version < kClamVersionLimit) return 0;
    bank_message("File error! I can't open this file, it was created with a more recent "
                 "version of Morvane.",
                 bankButtons_ok);
    return 2;
}

int32_t reversed(int32_t value)
{
    flipLong(&value);
    return value;
}
}  // namespace

void chunk_verify_mvnExpectFirst(int expect) { expectFirst = expect != 0; }

long chunk_verify_mvn(chunkRec* header)
{
    if (!header) return 1;
    const bool first = expectFirst;
    expectFirst = false;
    const chunkRec original = *header;
    chunk_flip(header);

    if (header->type == kBankChunkClam) return clamRule(header);
    if (isOneOf(header->type, versionedTypes)) {
        if (header->version <= kChunkVersion) return 0;
        bank_error("chunk version too new");
        return 2;
    }
    if (isOneOf(header->type, plainTypes)) return 0;

    if (first && reversed(original.type) == kBankChunkClam) {
        endian_invertMode();
        header->type = kBankChunkClam;
        header->size = reversed(original.size);
        header->version = reversed(original.version);
        return clamRule(header);
    }
    bank_error("bad chunk type");
    return 1;
}
