// Stored controllers: the controller values a preset sends when loaded, and
// the stored form "stCC".
#include "dsp/storedCC.h"
#include "platform/verify.h"

#include <cstring>

#include "dsp/dsp_globals.h"
#include "dsp/fixedText.h"
#include "dsp/inst.h"
#include "dsp/midi.h"
#include "fileio/fileio.h"

namespace {
const int32_t kStoredCCChunk = chunkType('s', 't', 'C', 'C');
const unsigned kStoredRecBytes = 4 + 4 + kStoredCCNameLen;

}  // namespace

void storedCC_init(storedCCRec* rec)
{
    MORVANE_VERIFY(rec);  // the record to fill is always the caller's own
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->cc = kStoredCCFree;
}

storedCCRec* storedCC_getRecFromCC(storedCCList* list, int cc)
{
    if (!list) return nullptr;
    for (auto& r : list->rec)
        if (r.cc == cc) return &r;
    return nullptr;
}

storedCCRec* storedCC_getFreeRec(storedCCList* list) { return storedCC_getRecFromCC(list, kStoredCCFree); }

void storedCC_addToList(storedCCList* list, int cc, int value, const char* name)
{
    if (!list) return;
    storedCCRec* r = storedCC_getRecFromCC(list, cc);
    if (!r) r = storedCC_getFreeRec(list);
    if (!r) return;
    r->cc = cc;
    r->value = value;
    fixedText_set(r->name, sizeof r->name, name);
}

void storedCC_initList(storedCCList* list)
{
    if (!list) return;
    std::memset(list, 0, sizeof *list);
    list->count = kStoredCC;
    for (auto& r : list->rec) storedCC_init(&r);
    storedCC_addToList(list, 1, 0, "");
    storedCC_addToList(list, 7, 127, "");
    storedCC_addToList(list, 10, 64, "");
}

void storedCC_renameInList(storedCCList* list, int cc, const char* name)
{
    storedCCRec* r = storedCC_getRecFromCC(list, cc);
    if (r) fixedText_set(r->name, sizeof r->name, name);
}

storedCCRec* storedCC_getNextCC(storedCCList* list, int after)
{
    if (!list) return nullptr;
    storedCCRec* best = nullptr;
    // Free records (cc -10) are no controllers, whatever after is.
    for (auto& r : list->rec)
        if (r.cc >= -1 && r.cc > after && r.cc < 128 && (!best || r.cc < best->cc)) best = &r;
    return best;
}

void storedCC_copyList(const storedCCList* from, storedCCList* to)
{
    if (!from || !to || from == to) return;
    storedCCList source = *from;  // from may overlap to
    storedCC_initList(to);
    for (const auto& r : source.rec)
        if (r.cc >= -1) storedCC_addToList(to, r.cc, r.value, r.name);
}

void storedCC_dumpMIDI(instRec* inst)
{
    if (!inst) return;
    for (const auto& r : inst->storedCC.rec)
        if (r.cc >= -1) midi_playCC(inst, r.cc, r.value, midi_getChannel(inst));
}

void storedCC_flip(storedCCRec* rec)
{
    if (!rec) return;
    flipLong(&rec->cc);
    flipLong(&rec->value);
}

int storedCC_readWritestoredCCList(fileRec* file, storedCCList* list, void* buffer, int reading)
{
    if (!file || !list || !buffer) return 0;
    char* buf = static_cast<char*>(buffer);
    unsigned max = file_bodyLimit(reading), pos = 0;
    storedCCList tmp = *list;
    int32_t count = tmp.count < 0 ? 0 : (tmp.count > kStoredCC ? kStoredCC : tmp.count);
    if (!reading) std::memset(buf, 0, 4 + count * kStoredRecBytes);
    if (!file_readWriteBuf_long(buf, &count, &pos, max, reading)) return 0;
    if (reading) {
        if (shallWeFlip()) flipLong(&count);
        if (count < 0) count = 0;
        if (count > kStoredCC) count = kStoredCC;
    }
    long ok = 1;
    for (int i = 0; i < count && ok; ++i) {
        storedCCRec* r = &tmp.rec[i];
        ok = file_readWriteBuf_long(buf, &r->cc, &pos, max, reading) &&
             file_readWriteBuf_long(buf, &r->value, &pos, max, reading) &&
             file_readWriteBuf(buf, r->name, kStoredCCNameLen, kStoredCCNameLen, &pos, max, reading);
    }
    if (reading) {
        if (!ok) return 0;  // a short body leaves the list untouched
        for (int i = 0; i < kStoredCC; ++i) {
            if (i >= count)
                storedCC_init(&tmp.rec[i]);
            else if (shallWeFlip())
                storedCC_flip(&tmp.rec[i]);
        }
        tmp.count = kStoredCC;
        *list = tmp;
        return 1;
    }
    chunkRec header;
    chunk_formatChunkHeader(&header, kStoredCCChunk, static_cast<long>(pos), kChunkVersion);
    return file_writeChunk(file, &header, buf) ? 1 : 0;
}
