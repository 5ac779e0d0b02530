// Writing a bank file: "Clam" (version 1), for each preset that is not the
// default a "ptch" chunk, every module chunk and "pEnd", then "tail". How the
// chunks reach the disk without risk to the old file is bank_save.cpp's.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "bank/bank_internal.h"

namespace {
enum { kClamBody = 8 };

// The message number of each chunk kind whose write failed.
enum {
    fail_clam = 51780,
    fail_ptch,
    fail_ocil,
    fail_mod,
    fail_filt,
    fail_wshp,
    fail_lfo,
    fail_env,
    fail_wave,
    fail_ntmp,
    fail_ccVel,
    fail_stCCEffect,
    fail_end
};
enum { fail_noBuffer = 18834 };

// Every chunk is first rendered into the gather buffer by its module's
// writer, with a verification hook that only takes note of the header and
// lets nothing through; then the header and body are written here, in the
// machine's byte order or, for a file of the other order, with the header
// swapped and the body rendered from byte-swapped copies of the records.
struct chunkWriter {
    fileRec* file;
    char* buf;
    int swap;                 // 1: write the other byte order
    std::vector<char>* sink;  // when set, the chunks go here instead of the file
};

chunkRec rendered;
bool renderedOk = false;

long captureHeader(chunkRec* header)
{
    rendered = *header;
    renderedOk = true;
    return 1;
}

void beginRender() { renderedOk = false; }

void putLong(char* at, int32_t value, int swap)
{
    if (swap) flipLong(&value);
    std::memcpy(at, &value, 4);
}

long emit(chunkWriter* w, const chunkRec& header, const char* body)
{
    char block[kChunkHeaderSize];
    putLong(block, header.type, w->swap);
    putLong(block + 4, header.size, w->swap);
    putLong(block + 8, header.version, w->swap);
    if (w->sink) {
        w->sink->insert(w->sink->end(), block, block + kChunkHeaderSize);
        if (header.size > 0) w->sink->insert(w->sink->end(), body, body + header.size);
        return 1;
    }
    if (!file_write(w->file, block, kChunkHeaderSize)) return 0;
    return header.size <= 0 || file_write(w->file, body, header.size);
}

// Writes the chunk the last module writer rendered. countBytes is the width
// of a list chunk's leading count (2 or 4), which lies outside the records
// and so is swapped here; 0 for other chunks.
long emitRendered(chunkWriter* w, int countBytes)
{
    if (!renderedOk || rendered.size < countBytes) return 0;
    if (w->swap && countBytes == 2)
        flipShort(w->buf);
    else if (w->swap && countBytes == 4)
        flipLong(w->buf);
    return emit(w, rendered, w->buf);
}

long emitBare(chunkWriter* w, int32_t type, short version, const char* body, long size)
{
    chunkRec header;
    chunk_formatChunkHeader(&header, type, size, version);
    return emit(w, header, body);
}

long writeClam(chunkWriter* w, bankRec* bank)
{
    int32_t presets = 0;
    for (short slot = 0; slot < kBankSlots; ++slot)
        presets += bank->presets[slot] && !bank_presetIsDefault(bank, slot);
    if (w->swap) flipLong(&presets);
    int32_t reserved = 0;
    unsigned pos = 0;
    char body[kClamBody + 1] = {};
    file_readWriteBuf_long(body, &presets, &pos, sizeof body, 0);
    file_readWriteBuf_long(body, &reserved, &pos, sizeof body, 0);
    return emitBare(w, kBankChunkClam, kClamVersion, body, kClamBody);
}

// One fixed record: rendered from a copy, swapped first for the other order.
template <typename Rec>
long writeRecord(chunkWriter* w, Rec rec, int (*rw)(fileRec*, Rec*, void*, int), void (*flip)(Rec*))
{
    if (w->swap) flip(&rec);
    beginRender();
    rw(w->file, &rec, w->buf, 0);
    return emitRendered(w, 0);
}

long writeEffect(chunkWriter* w, const effectHeader* effect)
{
    switch (effect->type) {
    case effectMode_pipe: {
        effectPipeRec rec;
        std::memcpy(&rec, effect, sizeof rec);
        return writeRecord(w, rec, effect_readWritePipe, effect_flipPipeRec);
    }
    case effectMode_multicomb: {
        effectMulticombRec rec;
        std::memcpy(&rec, effect, sizeof rec);
        return writeRecord(w, rec, effect_readWriteMulticomb, effect_flipMulticombRec);
    }
    case effectMode_multitap: {
        effectMultitapRec rec;
        std::memcpy(&rec, effect, sizeof rec);
        return writeRecord(w, rec, effect_readWriteMultitap, effect_flipMultitapRec);
    }
    default: return 1;  // an effect of no known kind is not stored
    }
}

void flipVelInst(velInstRec* rec)
{
    for (velRec& v : rec->vel) vel_flipVelRec(&v);
}

void flipStoredCC(storedCCList* list)
{
    for (storedCCRec& r : list->rec) storedCC_flip(&r);
}

// A list chunk: the records copied (and swapped for the other order), then
// rendered by the module's writer, write(count, list), and emitted with its
// int16 count.
template <typename Rec, typename Write>
long writeList(chunkWriter* w, const std::vector<Rec>& list, void (*flip)(Rec*), Write write)
{
    std::vector<Rec> copy(list);
    if (w->swap)
        for (Rec& r : copy) flip(&r);
    short count = (short)copy.size();
    Rec* data = copy.data();
    beginRender();
    write(&count, &data);
    return emitRendered(w, 2);
}

long writeEnvs(chunkWriter* w, presetRec* p)
{
    return writeList(w, p->envs, env_flipEnvInstRec,
                     [&](short* n, envInstRec** l) { env_readWriteEnvList(w->file, n, l, w->buf, 0); });
}

long writeWaves(chunkWriter* w, presetRec* p)
{
    return writeList(w, p->waves, waveRecFlip,
                     [&](short* n, waveRec** l) { wave_readWriteWaveList(w->file, l, n, w->buf, 0); });
}

long writeNotemaps(chunkWriter* w, presetRec* p)
{
    return writeList(w, p->notemaps, notemap_flip, [&](short* n, notemapRec** l) {
        notemap_readWriteNotemapList(w->file, l, n, w->buf, 0);
    });
}

long writeStoredCC(chunkWriter* w, presetRec* p)
{
    storedCCList list = p->storedCC;
    if (w->swap) flipStoredCC(&list);
    beginRender();
    storedCC_readWritestoredCCList(w->file, &list, w->buf, 0);
    return emitRendered(w, 4);
}

// The module chunks of one preset; 0 with the failed chunk's number in *fail.
long writeModules(chunkWriter* w, presetRec* p, int* fail)
{
    for (short i = 0; i < kOscils; ++i) {
        oscil_instRec rec = p->oscil[i];
        rec.index = i;
        if (!writeRecord(w, rec, oscil_readWriteOscilInst, oscil_flipInstRec)) return *fail = fail_ocil, 0;
    }
    for (short i = 0; i < kOscils; ++i) {
        modInstRec rec = p->mod[i];
        rec.index = i;
        if (!writeRecord(w, rec, mod_readWriteModInst, mod_flipInstRec)) return *fail = fail_mod, 0;
    }
    for (short i = 0; i < kFilters; ++i) {
        filterInstRec rec = p->filter[i];
        rec.index = i;
        if (!writeRecord(w, rec, filter_readWriteFilterInst, filter_flipInstRec)) return *fail = fail_filt, 0;
    }
    if (!writeRecord(w, p->waveshape, waveshape_readWriteWaveshapeInst, waveshape_flipInstRec))
        return *fail = fail_wshp, 0;
    for (short i = 0; i < kLfos; ++i) {
        lfoInstRec rec = p->lfo[i];
        rec.index = i;
        if (!writeRecord(w, rec, lfo_readWriteLfoInst, lfo_flipInstRec)) return *fail = fail_lfo, 0;
    }
    if (!p->envs.empty() && !writeEnvs(w, p)) return *fail = fail_env, 0;
    if (!p->waves.empty() && !writeWaves(w, p)) return *fail = fail_wave, 0;
    if (!p->notemaps.empty() && !writeNotemaps(w, p)) return *fail = fail_ntmp, 0;
    if (!writeRecord(w, p->cc, cc_readWriteCcInst, cc_flipCCInstRec) ||
        !writeRecord(w, p->vel, vel_readWriteVelInst, flipVelInst))
        return *fail = fail_ccVel, 0;
    if (!writeStoredCC(w, p)) return *fail = fail_stCCEffect, 0;
    if (p->effect && !writeEffect(w, p->effect.get())) return *fail = fail_stCCEffect, 0;
    return 1;
}

long writePreset(chunkWriter* w, presetRec* p, short slot, int* fail)
{
    patchRec patch = p->patch;
    patch.preset = slot;
    if (!writeRecord(w, patch, patch_readWritePatch, patch_flipPatchRec)) return *fail = fail_ptch, 0;
    if (!writeModules(w, p, fail)) return 0;
    if (!emitBare(w, kBankChunkPEnd, kChunkVersion, nullptr, 0)) return *fail = fail_end, 0;
    return 1;
}

// To the file, or to sink when it is set (rendering in memory).
long writeBankTo(fileRec* file, std::vector<char>* sink, bankRec* bank, int otherByteOrder, int* failCode)
{
    int scratchCode = 0;
    int* fail = failCode ? failCode : &scratchCode;
    *fail = 0;
    if ((!file && !sink) || !bank) return *fail = fail_noBuffer, 0;
    // Module writers use up to 65535 bytes; zeroed so padding is deterministic.
    std::unique_ptr<char[]> buf(new (std::nothrow) char[kFileBufSize + 1]());
    if (!buf) return *fail = fail_noBuffer, 0;
    // The module writers render through a file record even for memory; it
    // is never written (the capturing hook lets nothing through).
    fileRec none;
    file_initFileRec(&none, nullptr);
    chunkWriter w = {file ? file : &none, buf.get(), otherByteOrder ? 1 : 0, sink};

    chunkVerifyProc previous = file_getChunkVerifyProc();
    long previousMode = shallWeFlip();
    endian_nativeMode();
    file_setChunkVerifyProc(captureHeader);
    long ok = 0;
    try {
        ok = writeClam(&w, bank);
        if (!ok) *fail = fail_clam;
        for (short slot = 0; ok && slot < kBankSlots; ++slot) {
            presetRec* p = bank->presets[slot];
            if (p && !bank_presetIsDefault(bank, slot)) ok = writePreset(&w, p, slot, fail);
        }
        if (ok && !emitBare(&w, kBankChunkTail, kChunkVersion, nullptr, 0)) {
            *fail = fail_end;
            ok = 0;
        }
    } catch (const std::bad_alloc&) {
        *fail = fail_noBuffer;  // the memory image could not grow
        ok = 0;
    }
    file_setChunkVerifyProc(previous);
    if (previousMode) endian_invertMode();
    return ok;
}
}  // namespace

long mvnFile_writeBankOrder(fileRec* file, bankRec* bank, int otherByteOrder, int* failCode)
{
    return writeBankTo(file, nullptr, bank, otherByteOrder, failCode);
}

long bank_renderFile(bankRec* bank, int otherByteOrder, std::vector<char>* image, int* failCode)
{
    if (!image) return 0;
    image->clear();
    return writeBankTo(nullptr, image, bank, otherByteOrder, failCode);
}

long mvnFile_writeBank(fileRec* file, bankRec* bank, int* failCode)
{
    return mvnFile_writeBankOrder(file, bank, 0, failCode);
}
