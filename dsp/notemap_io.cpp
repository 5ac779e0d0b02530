// Stored form of a preset's note-map list: chunk "Ntmp".
#include <new>

#include "dsp/dsp_globals.h"
#include "dsp/notemap.h"
#include "fileio/fileio.h"

namespace {
long readWriteMap(char* buf, void* rec, unsigned* pos, unsigned max, int reading)
{
    notemapRec* map = static_cast<notemapRec*>(rec);
    return file_readWriteBuf_long(buf, &map->kind, pos, max, reading) &&
           file_readWriteBuf_long(buf, &map->index, pos, max, reading) &&
           file_readWriteBuf(buf, map->factor, sizeof map->factor, sizeof map->factor, pos, max, reading);
}

void* newMapList(short n) { return notemap_newList(n); }
void flipMap(void* rec) { notemap_flip(static_cast<notemapRec*>(rec)); }

// kind, index and 128 factors: 520 bytes a map.
const dspListForm kNotemapForm = {chunkType('N', 't', 'm', 'p'),
                                  kChunkVersion,
                                  kNotemapChunkMax,
                                  4 + 4 + 128 * 4,
                                  sizeof(notemapRec),
                                  newMapList,
                                  readWriteMap,
                                  flipMap};
}  // namespace

notemapRec* notemap_newList(short n)
{
    if (n < 1) return nullptr;
    notemapRec* list = new (std::nothrow) notemapRec[n];
    if (!list) return nullptr;
    for (short i = 0; i < n; ++i) notemap_init(&list[i], 0, 0);
    return list;
}

void notemap_deleteList(notemapRec* list) { delete[] list; }

void notemap_flip(notemapRec* map)
{
    if (!map) return;
    flipLong(&map->kind);
    flipLong(&map->index);
    for (float& f : map->factor) flipFloat(&f);
}

int notemap_readWriteNotemapList(fileRec* file, notemapRec** list, short* count, void* buffer, int reading)
{
    if (!list) return 0;
    void* held = *list;
    if (!dsp_readWriteList(file, &held, count, buffer, reading, kNotemapForm)) return 0;
    *list = static_cast<notemapRec*>(held);
    return 1;
}
