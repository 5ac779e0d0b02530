// Stored form "ocil" of an oscillator channel: ten floats, seven 32-bit
// integers and the active flag, each in a 4-byte slot (72 bytes). The two work
// words are the audio code's and are not stored.
#include "dsp/denormal.h"
#include "dsp/oscil.h"
#include "dsp/oscil_chunk.h"

namespace {

const int32_t kOscilChunk = chunkType('o', 'c', 'i', 'l');

// The numeric fields in slot order: ten floats, then seven 32-bit integers.
struct oscilSlots {
    float* floats[10];
    int32_t* longs[7];
};

oscilSlots slotsOf(oscil_instRec* r)
{
    return {{&r->mainIncrement, &r->mainPhase, &r->mainRatio, &r->ampScale, &r->modRatio, &r->modPhase,
             &r->modIncrement, &r->doubleBalance, &r->fmIndex, &r->ringmodBalance},
            {&r->mode, &r->mainFreqMode, &r->modFreqMode, &r->mainWaveID, &r->modWaveID, &r->index,
             &r->invertPhase}};
}

// The one marshalling list for both directions; 1 when every slot moved.
int moveOscil(char* buf, oscil_instRec* r, unsigned max, long reading)
{
    unsigned pos = 0;
    oscilSlots slots = slotsOf(r);
    for (float* f : slots.floats)
        if (!file_readWriteBuf_float(buf, f, &pos, max, reading)) return 0;
    for (int32_t* l : slots.longs)
        if (!file_readWriteBuf_long(buf, l, &pos, max, reading)) return 0;
    return file_readWriteBuf_flag(buf, &r->active, &pos, max, reading) ? 1 : 0;
}

// No subnormal float from a file reaches the audio code.
void settleOscil(oscil_instRec* r)
{
    for (float* f : slotsOf(r).floats) *f = denormal_flush(*f);
}

}  // namespace

void oscil_flipInstRec(oscil_instRec* r)
{
    if (!r) return;
    oscilSlots slots = slotsOf(r);
    for (float* f : slots.floats) flipFloat(f);
    for (int32_t* l : slots.longs) flipLong(l);
}

int oscil_readWriteOscilInst(fileRec* file, oscil_instRec* rec, void* buffer, int reading)
{
    return oscil_chunkReadWrite(file, rec, buffer, reading, kOscilChunk, kOscilChunkBody, moveOscil,
                                oscil_flipInstRec, settleOscil);
}
