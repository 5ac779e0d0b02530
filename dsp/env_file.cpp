// Stored form of an envelope list ("env " chunk) and its byte swapping.
//
// Body: the count (int16 slot), then for each of the first min(count, 24)
// envelopes a 76-byte header and all 68 breakpoints (16 bytes each),
// 1164 bytes per envelope.
#include <cstddef>
#include <new>

#include "dsp/chunkSlots.h"
#include "dsp/env.h"

namespace {

void bpSlots(chunkSlots* c, envBreakpointRec* bp)
{
    chunkSlots_double(c, &bp->time);
    chunkSlots_float(c, &bp->level);
    chunkSlots_float(c, &bp->slope);
}

// The 76-byte header of one envelope, then all 68 breakpoints.
void envSlots(chunkSlots* c, envInstRec* env)
{
    chunkSlots_short(c, &env->kind);
    chunkSlots_flag(c, &env->shown);
    chunkSlots_flag(c, &env->inUse);
    chunkSlots_flag(c, &env->spare);
    chunkSlots_flag(c, &env->global);
    chunkSlots_short(c, &env->envMode);
    chunkSlots_short(c, &env->param);
    chunkSlots_short(c, &env->channel);
    chunkSlots_short(c, &env->sustainPoint);
    chunkSlots_short(c, &env->releasePoint);
    chunkSlots_short(c, &env->lastPoint);
    chunkSlots_short(c, &env->loopStart);
    chunkSlots_float(c, &env->scale1);
    chunkSlots_float(c, &env->offset);
    chunkSlots_float(c, &env->scale2);
    chunkSlots_float(c, &env->scale3);
    chunkSlots_double(c, &env->reserved);
    chunkSlots_float(c, &env->depth);
    // On disk a breakpoint is its double time and two floats, 16 bytes, as
    // in memory: the 68 of them move as one block (the bulk of a bank file),
    // and are swapped field by field.
    static_assert(sizeof(envBreakpointRec) == 16 && offsetof(envBreakpointRec, level) == 8 &&
                      offsetof(envBreakpointRec, slope) == 12,
                  "a stored breakpoint has the layout of envBreakpointRec");
    if (c->flipping) {
        for (envBreakpointRec& bp : env->bp) bpSlots(c, &bp);
    } else {
        chunkSlots_block(c, env->bp, sizeof env->bp);
    }
}

short storedCount(short count)
{
    if (count < 0) return 0;
    return count > kEnvSlots ? static_cast<short>(kEnvSlots) : count;
}

}  // namespace

envInstRec* env_newList(short count)
{
    if (count < 1 || count > kEnvSlots) return nullptr;
    return new (std::nothrow) envInstRec[count]();
}

void env_deleteList(envInstRec* list) { delete[] list; }

void env_flipBp(envBreakpointRec* bp)
{
    if (!bp) return;
    chunkSlots c = chunkSlots_beginFlip();
    bpSlots(&c, bp);
}

void env_flipEnvInstRec(envInstRec* env)
{
    if (!env) return;
    chunkSlots c = chunkSlots_beginFlip();
    envSlots(&c, env);
}

int env_readWriteEnvList(fileRec* file, short* count, envInstRec** list, void* buffer, int reading)
{
    if (!file || !count || !list || !buffer) return 0;
    chunkSlots c = chunkSlots_begin(buffer, reading);

    if (!reading) {
        short n = *list ? storedCount(*count) : 0;
        chunkSlots_short(&c, &n);
        for (short i = 0; i < n; ++i) envSlots(&c, &(*list)[i]);
        return chunkSlots_writeChunk(file, &c, kChunkEnv);
    }

    // Reading: everything goes into a new list first, so a damaged chunk
    // leaves the caller's count and list as they were.
    short n = 0;
    chunkSlots_short(&c, &n);
    if (!c.ok) return 0;
    if (shallWeFlip()) flipShort(&n);
    n = storedCount(n);
    envInstRec* read = nullptr;
    if (n > 0) {
        read = env_newList(n);
        if (!read) return 0;
        for (short i = 0; i < n; ++i) envSlots(&c, &read[i]);
        if (!c.ok) {
            env_deleteList(read);
            return 0;
        }
        if (shallWeFlip()) {
            for (short i = 0; i < n; ++i) env_flipEnvInstRec(&read[i]);
        }
    }
    env_deleteList(*list);
    *list = read;
    *count = n;
    return 1;
}
