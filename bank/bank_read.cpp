// Reading a bank file into a bank, chunk by chunk.
//
// The reader walks the file with a chunk stream (bank_stream.h): every chunk
// the verifier accepts is handled by mvnFile_readChunk; a chunk it refuses
// is skipped. A damaged file (a truncated header, a body running past the
// end, a negative size) ends the walk there: the presets closed before the
// damage stay in the bank, the one being read is dropped. Every problem is
// reported on the silent error channel with its byte offset, so a checking
// tool can list them.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "bank/bank_stream.h"

namespace {
// The preset under construction; lives only during one mvnFile_open.
presetRec* building = nullptr;
// Problems met during the open that lose part of the file.
int damage = 0;

enum { kMaxChunks = 16000 };

void dropBuilding()
{
    preset_delete(building);
    building = nullptr;
}

long chunkOffset() { return file_buf ? file_buf->chunkStart : 0; }

void addBuilding(bankRec* bank)
{
    if (!building) return;
    if (bank && bank_addPreset(bank, building)) {
        building = nullptr;
        return;
    }
    if (bank) {
        char text[96];
        std::snprintf(text, sizeof text, "preset number %d is outside 0..127; preset dropped",
                      building->patch.preset);
        bank_error(text);
        ++damage;
    }
    dropBuilding();
}

// The body of the chunk now held, for the module readers (held bytes): where
// the reader's stream holds it, or file_buf's data area for a caller that read
// the chunk with the chunk layer.
char* heldBody = nullptr;
char* body() { return heldBody ? heldBody : file_getBufferData(); }

// A per-index module chunk: read into a zeroed record, keep it when its own
// index names one of the preset's records.
template <typename Rec, typename Index>
void readIndexed(fileRec* file, const chunkRec* h, int (*rw)(fileRec*, Rec*, void*, int), Rec* slots,
                 int count, Index Rec::*index)
{
    Rec rec{};
    if (!rw(file, &rec, body(), 1)) {
        bank_reportAt(chunkOffset(), "could not be read; ignored", h->type);
        ++damage;
        return;
    }
    int i = rec.*index;
    if (i < 0 || i >= count) {
        bank_reportAt(chunkOffset(), "has an index out of range; ignored", h->type);
        return;
    }
    slots[i] = rec;
}

// A fixed module record read straight into the preset.
template <typename Rec>
void readFixed(fileRec* file, const chunkRec* h, int (*rw)(fileRec*, Rec*, void*, int), Rec* rec)
{
    if (rw(file, rec, body(), 1)) return;
    bank_reportAt(chunkOffset(), "could not be read; ignored", h->type);
    ++damage;
}

// A list chunk ("env ", "Wave", "Ntmp"): read only into an empty list, so a
// second chunk of the same kind is ignored. read(count, list) is the
// module's reader; the list it allocates is freed with freeList.
template <typename Rec, typename Read>
void readListChunk(const chunkRec* h, std::vector<Rec>& into, Read read, void (*freeList)(Rec*))
{
    if (!into.empty()) {
        bank_reportAt(chunkOffset(), "repeats a list the preset already has; ignored", h->type);
        return;
    }
    short count = 0;
    Rec* list = nullptr;
    if (!read(&count, &list)) {
        bank_reportAt(chunkOffset(), "could not be read; ignored", h->type);
        ++damage;
        return;
    }
    if (count > 0 && list) {
        try {
            into.assign(list, list + count);
        } catch (const std::bad_alloc&) {
            into.clear();
        }
    }
    freeList(list);
}

// The first effect chunk of a preset wins.
template <typename Rec>
void readEffect(fileRec* file, const chunkRec* h, int (*rw)(fileRec*, Rec*, void*, int), short kind)
{
    if (building->effect) {
        bank_reportAt(chunkOffset(), "is a second effect of the preset; ignored", h->type);
        return;
    }
    Rec rec{};
    if (!rw(file, &rec, body(), 1)) {
        bank_reportAt(chunkOffset(), "could not be read; ignored", h->type);
        ++damage;
        return;
    }
    effectHandle record(effect_newHandle(kind));
    if (!record) return;
    std::memcpy(static_cast<void*>(record.get()), &rec, sizeof rec);
    building->effect = std::move(record);
    building->hasEffect = 1;
}

void readModule(fileRec* file, const chunkRec* h)
{
    presetRec* p = building;
    switch (h->type) {
    case kBankChunkOcil:
        readIndexed(file, h, oscil_readWriteOscilInst, p->oscil, kOscils, &oscil_instRec::index);
        break;
    case kBankChunkMod:
        readIndexed(file, h, mod_readWriteModInst, p->mod, kOscils, &modInstRec::index);
        break;
    case kBankChunkFilt:
        readIndexed(file, h, filter_readWriteFilterInst, p->filter, kFilters, &filterInstRec::index);
        break;
    case kBankChunkLfo: readIndexed(file, h, lfo_readWriteLfoInst, p->lfo, kLfos, &lfoInstRec::index); break;
    case kBankChunkWshp: readFixed(file, h, waveshape_readWriteWaveshapeInst, &p->waveshape); break;
    case kBankChunkCc: readFixed(file, h, cc_readWriteCcInst, &p->cc); break;
    case kBankChunkVel: readFixed(file, h, vel_readWriteVelInst, &p->vel); break;
    case kBankChunkStCC: readFixed(file, h, storedCC_readWritestoredCCList, &p->storedCC); break;
    case kBankChunkEnv:
        readListChunk(
            h, p->envs, [&](short* n, envInstRec** l) { return env_readWriteEnvList(file, n, l, body(), 1); },
            env_deleteList);
        break;
    case kBankChunkWave:
        readListChunk(
            h, p->waves, [&](short* n, waveRec** l) { return wave_readWriteWaveList(file, l, n, body(), 1); },
            wave_deleteList);
        break;
    case kBankChunkNtmp:
        readListChunk(
            h, p->notemaps,
            [&](short* n, notemapRec** l) { return notemap_readWriteNotemapList(file, l, n, body(), 1); },
            notemap_deleteList);
        break;
    case kBankChunkPipe: readEffect(file, h, effect_readWritePipe, effectMode_pipe); break;
    case kBankChunkMcmb: readEffect(file, h, effect_readWriteMulticomb, effectMode_multicomb); break;
    case kBankChunkMtap: readEffect(file, h, effect_readWriteMultitap, effectMode_multitap); break;
    default: break;
    }
}

bool isModuleType(int32_t type)
{
    switch (type) {
    case kBankChunkOcil:
    case kBankChunkMod:
    case kBankChunkFilt:
    case kBankChunkLfo:
    case kBankChunkWshp:
    case kBankChunkCc:
    case kBankChunkVel:
    case kBankChunkStCC:
    case kBankChunkEnv:
    case kBankChunkWave:
    case kBankChunkNtmp:
    case kBankChunkPipe:
    case kBankChunkMcmb:
    case kBankChunkMtap: return true;
    default: return false;
    }
}

bool sameFile(const char* a, const char* b)
{
    if (std::strcmp(a, b) == 0) return true;
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
    if (!file || !header) return 1;
    switch (header->type) {
    case kBankChunkClam:
        if (building) {
            bank_error("a preset was not closed before a file header chunk; preset dropped");
            ++damage;
        }
        dropBuilding();
        return 1;
    case kBankChunkPtch:
        addBuilding(bank);
        building = preset_new(0);
        if (!building) {
            bank_message("Low memory error! Error 37510", bankButtons_ok);
            ++damage;
            return 0;
        }
        if (!patch_readWritePatch(file, &building->patch, body(), 1)) {
            dropBuilding();
            ++damage;
            bank_message("Open file failed! Error 37511", bankButtons_ok);
            return 0;
        }
        return 1;
    case kBankChunkPEnd:
    case kBankChunkTail: addBuilding(bank); return 1;
    default: break;
    }
    if (!isModuleType(header->type)) return 1;
    if (!building) {
        bank_reportAt(chunkOffset(), "lies outside a preset; ignored", header->type);
        return 1;
    }
    readModule(file, header);
    return 1;
}

namespace {
// Tells the user once that the file was read with damage.
void reportDamage(bankRec* bank)
{
    char name[kBankNameMax + 1];
    bank_getName(bank, name);
    char text[kBankNameMax + 200];
    std::snprintf(text, sizeof text,
                  "%s is damaged: only %d presets could be read from it.\nSaving over it would keep only "
                  "these; Save As... keeps them in a new file.",
                  name, bank_presetCount(bank));
    bank_message(text, bankButtons_ok);
}

long readBank(bankRec* bank)
{
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
    chunkStream in(&file);
    chunkRec header{};
    chunk_verify_mvnExpectFirst(1);
    chunkStream::result first = in.next(&header);
    chunk_verify_mvnExpectFirst(0);
    if (first != chunkStream::chunk_ok) {
        bank_message("Open file failed. This is not a valid Morvane file", bankButtons_ok);
        file_close(&file);
        endian_nativeMode();
        return mvnOpen_failed;
    }

    dropBuilding();
    damage = 0;
    bool ended = false;  // "tail" reached, or the file ended where a chunk ends
    bool sawTail = false;
    for (int i = 0; i < kMaxChunks; ++i) {
        heldBody = in.body();
        mvnFile_readChunk(&file, bank, nullptr, &header, nullptr);
        sawTail = header.type == kBankChunkTail;
        if (sawTail || in.atEnd()) {
            ended = true;
            break;
        }
        chunkStream::result r = in.next(&header);
        if (r == chunkStream::chunk_ok) continue;
        bank_error("File error, read a bad chunk. error 1884");
        ++damage;
        if (r != chunkStream::chunk_skipped) break;
    }
    if (building) {
        char text[128];
        std::snprintf(text, sizeof text, "preset %d was not closed before the file ended; dropped",
                      building->patch.preset);
        bank_error(text);
        ++damage;
    }
    if (!sawTail) {
        bank_error(ended ? "the file ends without a \"tail\" chunk"
                         : "reading stopped before the end of the file");
        ++damage;
    }
    dropBuilding();
    heldBody = nullptr;
    endian_nativeMode();
    file_close(&file);
    bank->readDamaged = damage > 0 ? 1 : 0;
    if (bank->readDamaged) reportDamage(bank);
    return mvnOpen_done;
}
}  // namespace

long mvnFile_open(bankRec* bank)
{
    if (!bank) return mvnOpen_failed;
    bank_beginMessageGroup();
    long result = readBank(bank);
    bank_endMessageGroup();
    return result;
}

int mvnFile_isCurrentFile(bankRec* bank, const char* path)
{
    if (!bank || !path || !path[0] || !bank->file.path[0]) return 0;
    return sameFile(bank->file.path, path) ? 1 : 0;
}

namespace {
// Reads path into a bank of its own; only a successful read replaces the
// contents of bank, so a failed open leaves it exactly as it was.
long openInto(bankRec* bank, const char* path, const char* title)
{
    if (std::strlen(path) >= kFilePathSize) {
        bank_message("File not found! Error: 8221", bankButtons_ok);
        return mvnOpen_failed;
    }
    bankRec* fresh = bank_new();
    if (!fresh) {
        bank_message("Low memory error! Morvane can't open this file. Error: 24410", bankButtons_ok);
        return mvnOpen_failed;
    }
    fresh->file.owner = bank->file.owner;
    bank_copyText(fresh->file.path, kFilePathSize, path);
    bank_copyText(fresh->file.title, kFilePathSize, title ? title : "");
    long result = mvnFile_open(fresh);
    if (result == mvnOpen_done) bank_takeContents(bank, fresh);
    bank_delete(fresh);
    return result;
}

long openNamed(bankRec* bank, const char* path, const char* title)
{
    if (mvnFile_isCurrentFile(bank, path)) return mvnOpen_alreadyOpen;
    return openInto(bank, path, title);
}
}  // namespace

long mvnFile_openFromPathName(bankRec* bank, const char* path, const char* title)
{
    if (!bank || !path || !path[0]) return mvnOpen_failed;
    return openNamed(bank, path, title);
}

long mvnFile_openDialog(bankRec* bank)
{
    if (!bank) return mvnOpen_failed;
    fileRec chosen;
    file_initFileRec(&chosen, nullptr);
    if (!file_openDialog(&chosen)) return mvnOpen_failed;
    return openNamed(bank, chosen.path, chosen.title);
}

long mvnFile_revert(bankRec* bank)
{
    if (!bank || !bank->file.path[0]) return mvnOpen_failed;
    char path[kFilePathSize], title[kFilePathSize];
    bank_copyText(path, sizeof path, bank->file.path);
    bank_copyText(title, sizeof title, bank->file.title);
    return openInto(bank, path, title);
}
