// Start-up of the engine library, the silent error channel and the helpers
// shared by the stored forms.
#include "dsp/dsp_globals.h"

#include <cstring>

#include "dsp/cacheManagement.h"
#include "dsp/inst.h"
#include "dsp/tune.h"
#include "dsp/velocity.h"
#include "dsp/wave.h"
#include "fileio/fileio.h"

namespace {
dspErrorProc errorProc = nullptr;
}

int dsp_globals_init()
{
    dsp_globals_initLocal();
    tune_init();
    g_instanceNumber = 0;
    return 1;
}

int dsp_globals_initLocal()
{
    wave_initWavelist();
    vel_initCtlTables();
    cacheManagement_init();
    return 1;
}

void dsp_globals_cleanup() {}

void dsp_setErrorProc(dspErrorProc proc) { errorProc = proc; }

void dsp_error(const char* message)
{
    if (errorProc && message) errorProc(message);
}

namespace {
const unsigned kCountSlot = 4;

char* recordAt(void* list, unsigned size, short i) { return static_cast<char*>(list) + size * i; }

int writeList(fileRec* file, void* list, short count, char* buf, const dspListForm& form)
{
    if (count > 0 && !list) return 0;
    short held = count < form.maxHeld ? count : form.maxHeld;
    if (held < 0) held = 0;
    std::memset(buf, 0, kCountSlot + held * form.storedBytes);
    unsigned max = file_bodyLimit(0), pos = 0;
    int16_t stored = count;
    file_readWriteBuf_short(buf, &stored, &pos, max, 0);
    for (short i = 0; i < held; ++i) form.readWrite(buf, recordAt(list, form.recordSize, i), &pos, max, 0);
    chunkRec header;
    chunk_formatChunkHeader(&header, form.chunk, static_cast<long>(pos), form.version);
    return file_writeChunk(file, &header, buf) ? 1 : 0;
}

int readList(void** list, short* count, char* buf, const dspListForm& form)
{
    unsigned max = file_bodyLimit(1), pos = 0;
    int16_t stored = 0;
    if (!file_readWriteBuf_short(buf, &stored, &pos, max, 1)) return 0;
    if (shallWeFlip()) flipShort(&stored);
    if (stored < 0) stored = 0;
    if (stored > form.maxHeld) stored = form.maxHeld;             // the chunk holds no more
    if (kCountSlot + stored * form.storedBytes >= max) return 0;  // body too short
    void* read = nullptr;
    if (stored > 0) {
        read = form.newList(stored);
        if (!read) return 0;
    }
    for (short i = 0; i < stored; ++i) {
        char* rec = recordAt(read, form.recordSize, i);
        form.readWrite(buf, rec, &pos, max, 1);
        if (shallWeFlip()) form.flip(rec);
    }
    *list = read;
    *count = stored;
    return 1;
}
}  // namespace

int dsp_readWriteList(fileRec* file, void** list, short* count, void* buffer, int reading,
                      const dspListForm& form)
{
    if (!file || !list || !count || !buffer) return 0;
    char* buf = static_cast<char*>(buffer);
    return reading ? readList(list, count, buf, form) : writeList(file, *list, *count, buf, form);
}
