// Processing chains: filled by the plug-in side when it rebuilds its
// processing; this program only clears them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "dsp/shm.h"

#pragma pack(push, 4)
// 32 bytes.
struct chain_link {
    int32_t word;
    shmPtr<void> data[3];
    uint32_t proc;  // procedure number; proc_empty = chain_emptyLink
    uint8_t unused[12];
};
static_assert(offsetof(chain_link, data) == 4, "chain_link layout");
static_assert(offsetof(chain_link, proc) == 16, "chain_link layout");
static_assert(sizeof(chain_link) == 32, "chain_link is 32 bytes");

// 800 bytes.
struct chainRec {
    int16_t count;
    int16_t pad;
    shmPtr<chain_link> nextFree;
    uint8_t unused[24];
    chain_link link[kChainLinks];
};
static_assert(offsetof(chainRec, link) == 32, "chainRec layout");
static_assert(sizeof(chainRec) == 800, "chainRec is 800 bytes");
#pragma pack(pop)

void chain_clearChain(chainRec* chain);
void chain_clearLink(chain_link* link);
// The empty processing step: does nothing.
void chain_emptyLink(void* a, void* b, void* c, float* buffer, short count);
