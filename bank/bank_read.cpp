// Reading a bank file into a bank, chunk by chunk.
//
// The reader walks the file with the chunk layer: every chunk the verifier
// accepts is handled by mvnFile_readChunk; a chunk it refuses is skipped.
// A damaged file (a truncated header, a body running past the end, a size
// that cannot be right) ends the walk there: the presets closed before the
// damage stay in the bank, the one being read is dropped. Every problem is
// reported on the silent error channel with its byte offset, so a checking
// tool can list them.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bank/bank_internal.h"

namespace {
// The preset under construction; lives only during one mvnFile_open.
presetRec* building = nullptr;

enum { kMaxChunks = 16000 };

void dropBuilding()
{
    preset_delete(building);
    building = nullptr;
}

// "ptch" -> text for messages; unprintable characters become '?'.
void typeText(int32_t type, char out[5])
{
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((static_cast<uint32_t>(type) >> (24 - 8 * i)) & 0xFF);
        out[i] = (c >= 32 && c < 127) ? c : '?';
    }
    out[4] = 0;
}

long chunkOffset() { return file_buf ? file_buf->chunkStart : 0; }

void reportAt(long offset, const char* what, int32_t type)
{
    char text[160], name[5];
    typeText(type, name);
    std::snprintf(text, sizeof text, "at byte %ld: chunk '%s' %s", offset, name, what);
    bank_error(text);
}

void addBuilding(bankRec* bank)
{
    if (!building)
        return;
    if (bank && bank_addPreset(bank, building)) {
        building = nullptr;
        return;
    }
    if (bank) {
        char text[96];
        std::snprintf(text, sizeof text, "preset number %d is outside 0..127; preset dropped",
                      building->patch.preset);
        bank_error(text);
    }
    dropBuilding();
}

// The body of the chunk now held, for the module readers.
char* body() { return file_getBufferData(); }

// A per-index module chunk: read into a zeroed record, keep it when its own
// index names one of the preset's records.
template <typename Rec, typename Index>
void readIndexed(fileRec* file, const chunkRec* h, int (*rw)(fileRec*, Rec*, void*, int),
                 Rec* slots, int count, Index Rec::*index)
{
    Rec rec{};
    if (!rw(file, &rec, body(), 1)) {
        reportAt(chunkOffset(), "could not be read; ignored", h->type);
        return;
    }
    int i = rec.*index;
    if (i < 0 || i >= count) {
        reportAt(chunkOffset(), "has an index out of range; ignored", h->type);
        return;
    }
    slots[i] = rec;
}

// A fixed module record read straight into the preset.
template <typename Rec>
void readFixed(fileRec* file, const chunkRec* h, int (*rw)(fileRec*, Rec*, void*, int), Rec* rec)
{
    if (!rw(file, rec, body(), 1))
        reportAt(chunkOffset(), "could not be read; ignored", h->type);
}

void readEnvList(fileRec* file, const chunkRec* h)
{
    short count = 0;
    envInstRec* list = nullptr;
    if (!env_readWriteEnvList(file, &count, &list, body(), 1)) {
        reportAt(chunkOffset(), "could not be read; ignored", h->type);
        return;
    }
    if (count > 0 && list && preset_newEnvList(building, count))
        std::copy(list, list + preset_envCount(building), building->envs.begin());
    env_deleteList(list);
}

void readWaveList(fileRec* file, const chunkRec* h)
{
    short count = 0;
    waveRec* list = nullptr;
    if (!wave_readWriteWaveList(file, &list, &count, body(), 1)) {
        reportAt(chunkOffset(), "could not be read; ignored", h->type);
        return;
    }
    if (count > 0 && list && preset_newWaveList(building, count))
        std::copy(list, list + preset_waveCount(building), building->waves.begin());
    wave_deleteList(list);
}

void readNotemapList(fileRec* file, const chunkRec* h)
{
    short count = 0;
    notemapRec* list = nullptr;
    if (!notemap_readWriteNotemapList(file, &list, &count, body(), 1)) {
        reportAt(chunkOffset(), "could not be read; ignored", h->type);
        return;
    }
    if (count > 0 && list && preset_newNotemapList(building, count))
        std::copy(list, list + preset_notemapCount(building), building->notemaps.begin());
    notemap_deleteList(list);
}

// The first effect chunk of a preset wins.
template <typename Rec>
void readEffect(fileRec* file, const chunkRec* h, int (*rw)(fileRec*, Rec*, void*, int), short kind)
{
    if (building->effect) {
        reportAt(chunkOffset(), "is a second effect of the preset; ignored", h->type);
        return;
    }
    Rec rec{};
    if (!rw(file, &rec, body(), 1)) {
        reportAt(chunkOffset(), "could not be read; ignored", h->type);
        return;
    }
    effectHandle record(effect_newHandle(kind));
    if (!record)
        return;
    std::memcpy(static_cast<void*>(record.get()), &rec, sizeof rec);
    building->effect = std::move(record);
    building->hasEffect = 1;
}

void readList(fileRec* file, const chunkRec* h, bool empty, void (*read)(fileRec*, const chunkRec*))
{
    if (empty)
        read(file, h);
    else
        reportAt(chunkOffset(), "repeats a list the preset already has; ignored", h->type);
}

void readModule(fileRec* file, const chunkRec* h)
{
    presetRec* p = building;
    switch (h->type) {
    case kBankChunkOcil: readIndexed(file, h, oscil_readWriteOscilInst, p->oscil, kOscils, &oscil_instRec::index); break;
    case kBankChunkMod: readIndexed(file, h, mod_readWriteModInst, p->mod, kOscils, &modInstRec::index); break;
    case kBankChunkFilt: readIndexed(file, h, filter_readWriteFilterInst, p->filter, kFilters, &filterInstRec::index); break;
    case kBankChunkLfo: readIndexed(file, h, lfo_readWriteLfoInst, p->lfo, kLfos, &lfoInstRec::index); break;
    case kBankChunkWshp: readFixed(file, h, waveshape_readWriteWaveshapeInst, &p->waveshape); break;
    case kBankChunkCc: readFixed(file, h, cc_readWriteCcInst, &p->cc); break;
    case kBankChunkVel: readFixed(file, h, vel_readWriteVelInst, &p->vel); break;
    case kBankChunkStCC: readFixed(file, h, storedCC_readWritestoredCCList, &p->storedCC); break;
    case kBankChunkEnv: readList(file, h, p->envs.empty(), readEnvList); break;
    case kBankChunkWave: readList(file, h, p->waves.empty(), readWaveList); break;
    case kBankChunkNtmp: readList(file, h, p->notemaps.empty(), readNotemapList); break;
    case kBankChunkPipe: readEffect(file, h, effect_readWritePipe, effectMode_pipe); break;
    case kBankChunkMcmb: readEffect(file, h, effect_readWriteMulticomb, effectMode_multicomb); break;
    case kBankChunkMtap: readEffect(file, h, effect_readWriteMultitap, effectMode_multitap); break;
    default: break;
    }
}

bool isModuleType(int32_t type)
{
    switch (type) {
    case kBankChunkOcil: case kBankChunkMod: case kBankChunkFilt: case kBankChunkLfo:
    case kBankChunkWshp: case kBankChunkCc: case kBankChunkVel: case kBankChunkStCC:
    case kBankChunkEnv: case kBankChunkWave: case kBankChunkNtmp: case kBankChunkPipe:
    case kBankChunkMcmb: case kBankChunkMtap:
        return true;
    default:
        return false;
    }
}

// After a chunk failed to read: true when its header was read whole and its
// body lies inside the file, so the walk can go on after it; false when the
// file is damaged from here on. Reports what was wrong.
bool canSkipFailedChunk(fileRec* file)
{
    long start = file_buf->chunkStart;
    long size = file_getEOF(file);
    if (size - start < kChunkHeaderSize) {
        char text[96];
        std::snprintf(text, sizeof text, "at byte %ld: the file ends inside a chunk header", start);
        bank_error(text);
        return false;
    }
    const chunkRec& h = file_buf->header;
    if (h.size < 0) {
        reportAt(start, "has a negative size; reading stops", h.type);
        return false;
    }
    if (static_cast<long long>(start) + kChunkHeaderSize + h.size > size) {
        reportAt(start, "runs past the end of the file; reading stops", h.type);
        return false;
    }
    if (h.size > file_buf->capacity)
        reportAt(start, "is larger than 65535 bytes; skipped", h.type);
    else
        reportAt(start, "was refused (unknown type or version too new); skipped", h.type);
    return true;
}

bool sameFile(const char* a, const char* b)
{
    if (std::strcmp(a, b) == 0)
        return true;
    char* ra = realpath(a, nullptr);
    char* rb = realpath(b, nullptr);
    bool same = ra && rb && std::strcmp(ra, rb) == 0;
    std::free(ra);
    std::free(rb);
    return same;
}
}  // namespace

long mvnFile_readChunk(fileRec* file, bankRec* bank, presetRec*, chunkRec* header, char*)
{
    if (!file || !header)
        return 1;
    switch (header->type) {
    case kBankChunkClam:
        if (building)
            bank_error("a preset was not closed before a file header chunk; preset dropped");
        dropBuilding();
        return 1;
    case kBankChunkPtch:
        addBuilding(bank);
        building = preset_new(0);
        if (!building) {
            bank_message("Low memory error! Error 37510", bankButtons_ok);
            return 0;
        }
        if (!patch_readWritePatch(file, &building->patch, body(), 1)) {
            dropBuilding();
            bank_message("Open file failed! Error 37511", bankButtons_ok);
            return 0;
        }
        return 1;
    case kBankChunkPEnd:
    case kBankChunkTail:
        addBuilding(bank);
        return 1;
    default:
        break;
    }
    if (!isModuleType(header->type))
        return 1;
    if (!building) {
        reportAt(chunkOffset(), "lies outside a preset; ignored", header->type);
        return 1;
    }
    readModule(file, header);
    return 1;
}

long mvnFile_open(bankRec* bank)
{
    if (!bank)
        return mvnOpen_failed;
    endian_nativeMode();
    file_setChunkVerifyProc(chunk_verify_mvn);
    if (!file_buf && !file_init(kFileBufSize)) {
        bank_message("Low memory error! Morvane can't open this file. Error: 24410", bankButtons_ok);
        return mvnOpen_failed;
    }

    // The bank's record keeps path and title and is never left holding a handle.
    fileRec file = bank->file;
    file.handle = -1;
    if (!file_open(&file, 0)) {
        bank_message("File not found! Error: 8221", bankButtons_ok);
        return mvnOpen_failed;
    }
    chunkRec header{};
    chunk_verify_mvnExpectFirst(1);
    bool ok = file_setPos(&file, 0) && file_readChunk(&file, &header);
    chunk_verify_mvnExpectFirst(0);
    if (!ok) {
        bank_message("Open file failed. This is not a valid Morvane file", bankButtons_ok);
        file_close(&file);
        endian_nativeMode();
        return mvnOpen_failed;
    }

    dropBuilding();
    for (int i = 0; i < kMaxChunks; ++i) {
        mvnFile_readChunk(&file, bank, nullptr, &header, nullptr);
        if (header.type == kBankChunkTail || file_reachedTheEnd(&file))
            break;
        header = chunkRec{};
        if (!file_readNextChunk(&file, &header)) {
            bank_error("File error, read a bad chunk. error 1884");
            if (!canSkipFailedChunk(&file))
                break;
            header = chunkRec{};
        }
    }
    if (building) {
        char text[128];
        std::snprintf(text, sizeof text, "preset %d was not closed before the file ended; dropped",
                      building->patch.preset);
        bank_error(text);
    }
    dropBuilding();
    endian_nativeMode();
    file_close(&file);
    return mvnOpen_done;
}

int mvnFile_isCurrentFile(bankRec* bank, const char* path)
{
    if (!bank || !path || !path[0] || !bank->file.path[0])
        return 0;
    return sameFile(bank->file.path, path) ? 1 : 0;
}

namespace {
long openNamed(bankRec* bank, const char* path, const char* title)
{
    if (mvnFile_isCurrentFile(bank, path))
        return mvnOpen_alreadyOpen;
    if (std::strlen(path) >= kFilePathSize) {
        bank_message("File not found! Error: 8221", bankButtons_ok);
        return mvnOpen_failed;
    }
    bank_close(bank);
    bank_copyText(bank->file.path, kFilePathSize, path);
    bank_copyText(bank->file.title, kFilePathSize, title ? title : "");
    return mvnFile_open(bank);
}
}  // namespace

long mvnFile_openFromPathName(bankRec* bank, const char* path, const char* title)
{
    if (!bank || !path || !path[0])
        return mvnOpen_failed;
    return openNamed(bank, path, title);
}

long mvnFile_openDialog(bankRec* bank)
{
    if (!bank)
        return mvnOpen_failed;
    fileRec chosen;
    file_initFileRec(&chosen, nullptr);
    if (!file_openDialog(&chosen))
        return mvnOpen_failed;
    return openNamed(bank, chosen.path, chosen.title);
}
