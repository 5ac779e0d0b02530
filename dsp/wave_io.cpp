// Stored form of a preset's wave list: chunk "Wave".
#include <new>

#include "dsp/dsp_globals.h"
#include "dsp/wave.h"
#include "fileio/fileio.h"

namespace {
// The fields of one wave, in stored order, for both directions.
long readWriteWave(char* buf, void* rec, unsigned* pos, unsigned max, int reading)
{
    waveRec* w = static_cast<waveRec*>(rec);
    return file_readWriteBuf_short(buf, &w->id, pos, max, reading) &&
           file_readWriteBuf_short(buf, &w->type, pos, max, reading) &&
           file_readWriteBuf_short(buf, &w->spareA, pos, max, reading) &&
           file_readWriteBuf_short(buf, &w->spareB, pos, max, reading) &&
           file_readWriteBuf(buf, w->name, kWaveNameLen, kWaveNameLen, pos, max, reading) &&
           file_readWriteBuf_long(buf, &w->spareC, pos, max, reading) &&
           file_readWriteBuf(buf, w->data, sizeof w->data, sizeof w->data, pos, max, reading);
}

void* newWaveList(short n) { return wave_newList(n); }
void flipWave(void* rec) { waveRecFlip(static_cast<waveRec*>(rec)); }

// Four int16 slots, the name, spareC and the samples: 4148 bytes a wave.
const dspListForm kWaveForm = {chunkType('W', 'a', 'v', 'e'),
                               kChunkVersion,
                               kWaveChunkMax,
                               4 * 4 + kWaveNameLen + 4 + kWaveSize * 4,
                               sizeof(waveRec),
                               newWaveList,
                               readWriteWave,
                               flipWave};
}  // namespace

waveRec* wave_newList(short n)
{
    if (n < 1) return nullptr;
    return new (std::nothrow) waveRec[n]();
}

void wave_deleteList(waveRec* list) { delete[] list; }

void waveRecFlip(waveRec* rec)
{
    if (!rec) return;
    flipShort(&rec->id);
    flipShort(&rec->type);
    flipShort(&rec->spareA);
    flipShort(&rec->spareB);
    flipLong(&rec->spareC);
    for (float& f : rec->data) flipFloat(&f);
}

int wave_readWriteWaveList(fileRec* file, waveRec** list, short* count, void* buffer, int reading)
{
    if (!list) return 0;
    void* held = *list;
    if (!dsp_readWriteList(file, &held, count, buffer, reading, kWaveForm)) return 0;
    *list = static_cast<waveRec*>(held);
    return 1;
}
