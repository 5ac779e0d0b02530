// Writing a bank file: "Clam" (version 1), for each preset that is not the
// default a "ptch" chunk, every module chunk and "pEnd", then "tail".
//
// A save never touches the old file until the new one is complete: the
// chunks go to a temporary file in the same folder, which is flushed to disk
// and then renamed over the old file. Every failure shows one message and
// removes the temporary file.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bank/bank_internal.h"

namespace {
enum { kClamVersion = 1, kClamBody = 8 };

// The message number of each chunk kind whose write failed.
enum {
    fail_clam = 51780, fail_ptch, fail_ocil, fail_mod, fail_filt, fail_wshp, fail_lfo,
    fail_env, fail_wave, fail_ntmp, fail_ccVel, fail_stCCEffect, fail_end
};
enum { fail_noBuffer = 18834 };

// Writes a chunk whose body is given in full.
long writeBare(fileRec* file, int32_t type, char* body, long size, short version)
{
    chunkRec header;
    chunk_formatChunkHeader(&header, type, size, version);
    return file_writeChunk(file, &header, body);
}

long writeClam(fileRec* file, bankRec* bank, char* buf)
{
    int32_t presets = 0;
    for (short slot = 0; slot < kBankSlots; ++slot)
        presets += bank->presets[slot] && !bank_presetIsDefault(bank, slot);
    int32_t reserved = 0;
    unsigned pos = 0;
    std::memset(buf, 0, kClamBody);
    file_readWriteBuf_long(buf, &presets, &pos, kFileBufSize, 0);
    file_readWriteBuf_long(buf, &reserved, &pos, kFileBufSize, 0);
    return writeBare(file, kBankChunkClam, buf, kClamBody, kClamVersion);
}

long writeEffect(fileRec* file, const effectHeader* effect, char* buf)
{
    switch (effect->type) {
    case effectMode_pipe: {
        effectPipeRec rec;
        std::memcpy(&rec, effect, sizeof rec);
        return effect_readWritePipe(file, &rec, buf, 0);
    }
    case effectMode_multicomb: {
        effectMulticombRec rec;
        std::memcpy(&rec, effect, sizeof rec);
        return effect_readWriteMulticomb(file, &rec, buf, 0);
    }
    case effectMode_multitap: {
        effectMultitapRec rec;
        std::memcpy(&rec, effect, sizeof rec);
        return effect_readWriteMultitap(file, &rec, buf, 0);
    }
    default:
        return 1;  // an effect of no known kind is not stored
    }
}

// The module chunks of one preset; 0 with the failed chunk's number in *fail.
long writeModules(fileRec* file, presetRec* p, char* buf, int* fail)
{
    for (short i = 0; i < kOscils; ++i) {
        oscil_instRec rec = p->oscil[i];
        rec.index = i;
        if (!oscil_readWriteOscilInst(file, &rec, buf, 0))
            return *fail = fail_ocil, 0;
    }
    for (short i = 0; i < kOscils; ++i) {
        modInstRec rec = p->mod[i];
        rec.index = i;
        if (!mod_readWriteModInst(file, &rec, buf, 0))
            return *fail = fail_mod, 0;
    }
    for (short i = 0; i < kFilters; ++i) {
        filterInstRec rec = p->filter[i];
        rec.index = i;
        if (!filter_readWriteFilterInst(file, &rec, buf, 0))
            return *fail = fail_filt, 0;
    }
    if (!waveshape_readWriteWaveshapeInst(file, &p->waveshape, buf, 0))
        return *fail = fail_wshp, 0;
    for (short i = 0; i < kLfos; ++i) {
        lfoInstRec rec = p->lfo[i];
        rec.index = i;
        if (!lfo_readWriteLfoInst(file, &rec, buf, 0))
            return *fail = fail_lfo, 0;
    }
    if (!p->envs.empty()) {
        short count = preset_envCount(p);
        envInstRec* list = p->envs.data();
        if (!env_readWriteEnvList(file, &count, &list, buf, 0))
            return *fail = fail_env, 0;
    }
    if (!p->waves.empty()) {
        short count = preset_waveCount(p);
        waveRec* list = p->waves.data();
        if (!wave_readWriteWaveList(file, &list, &count, buf, 0))
            return *fail = fail_wave, 0;
    }
    if (!p->notemaps.empty()) {
        short count = preset_notemapCount(p);
        notemapRec* list = p->notemaps.data();
        if (!notemap_readWriteNotemapList(file, &list, &count, buf, 0))
            return *fail = fail_ntmp, 0;
    }
    if (!cc_readWriteCcInst(file, &p->cc, buf, 0) || !vel_readWriteVelInst(file, &p->vel, buf, 0))
        return *fail = fail_ccVel, 0;
    if (!storedCC_readWritestoredCCList(file, &p->storedCC, buf, 0))
        return *fail = fail_stCCEffect, 0;
    if (p->effect && !writeEffect(file, p->effect.get(), buf))
        return *fail = fail_stCCEffect, 0;
    return 1;
}

long writePreset(fileRec* file, presetRec* p, short slot, char* buf, int* fail)
{
    patchRec patch = p->patch;
    patch.preset = slot;
    if (!patch_readWritePatch(file, &patch, buf, 0))
        return *fail = fail_ptch, 0;
    if (!writeModules(file, p, buf, fail))
        return 0;
    if (!writeBare(file, kBankChunkPEnd, nullptr, 0, kModuleVersionMax))
        return *fail = fail_end, 0;
    return 1;
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

const char* nameOf(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// 1 when the file exists and may not be written.
bool isLocked(const char* path, const struct stat& st)
{
    return access(path, W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

mode_t newFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

long fail(const char* text, const char* tempPath)
{
    if (tempPath && tempPath[0])
        unlink(tempPath);
    bank_message(text, bankButtons_ok);
    return 0;
}

long failNumbered(int code, const char* tempPath)
{
    char text[64];
    if (code == fail_noBuffer)
        std::snprintf(text, sizeof text, "file error: 18834. The file was not saved");
    else
        std::snprintf(text, sizeof text, "File save failed! Error %d", code);
    return fail(text, tempPath);
}

long saveTo(bankRec* bank, const char* path, const char* title)
{
    if (!bank || !path || !path[0] || std::strlen(path) >= kFilePathSize)
        return failNumbered(fail_noBuffer, nullptr);
    struct stat st;
    const bool exists = stat(path, &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail("File Error! Unable to create file. Error 81774", nullptr);
    if (exists && isLocked(path, st))
        return fail("This file is locked, please use Save As... to save changes to this bank",
                    nullptr);

    std::string temp = folderOf(path) + "/.morvane-save-XXXXXX";
    if (temp.size() >= kFilePathSize)
        return fail("File Error! Unable to create file. Error 81774", nullptr);
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back(0);
    int fd = mkstemp(name.data());
    if (fd < 0)
        return fail("File Error! Unable to create file. Error 81774", nullptr);
    close(fd);

    fileRec out;
    file_initFileRec(&out, bank->file.owner);
    bank_copyText(out.path, kFilePathSize, name.data());
    if (!file_create(&out))
        return fail("File Error! Unable to create file. Error 81774", name.data());

    chunkVerifyProc previous = file_getChunkVerifyProc();
    endian_nativeMode();
    file_setChunkVerifyProc(chunk_verify_mvn);
    chunk_verify_mvnExpectFirst(0);
    int code = 0;
    long written = mvnFile_writeBank(&out, bank, &code);
    file_setChunkVerifyProc(previous);
    if (!written) {
        file_close(&out);
        return failNumbered(code, name.data());
    }
    bool flushed = fsync(out.handle) == 0;
    file_close(&out);
    if (!flushed)
        return fail("File Error! Can't write file. Error: 52236", name.data());
    chmod(name.data(), exists ? (st.st_mode & 07777) : newFileMode());
    if (rename(name.data(), path) != 0)
        return fail("File error, save failed! Error 53374", name.data());

    if (bank->file.path != path)
        bank_copyText(bank->file.path, kFilePathSize, path);
    if (title && title[0])
        bank_copyText(bank->file.title, kFilePathSize, title);
    else
        bank_copyText(bank->file.title, kFilePathSize, nameOf(path));
    bank->dirty = 0;
    return 1;
}
}  // namespace

long mvnFile_writeBank(fileRec* file, bankRec* bank, int* failCode)
{
    int scratchCode = 0;
    int* fail = failCode ? failCode : &scratchCode;
    *fail = 0;
    if (!file || !bank)
        return *fail = fail_noBuffer, 0;
    // Module writers use up to 65535 bytes; zeroed so padding is deterministic.
    std::unique_ptr<char[]> buf(new (std::nothrow) char[kFileBufSize + 1]());
    if (!buf)
        return *fail = fail_noBuffer, 0;
    if (!writeClam(file, bank, buf.get()))
        return *fail = fail_clam, 0;
    for (short slot = 0; slot < kBankSlots; ++slot) {
        presetRec* p = bank->presets[slot];
        if (!p || bank_presetIsDefault(bank, slot))
            continue;
        if (!writePreset(file, p, slot, buf.get(), fail))
            return 0;
    }
    if (!writeBare(file, kBankChunkTail, nullptr, 0, kModuleVersionMax))
        return *fail = fail_end, 0;
    return 1;
}

long mvnFile_save(bankRec* bank)
{
    if (!bank)
        return 0;
    char path[kFilePathSize];
    bank_copyText(path, sizeof path, bank->file.path);
    char title[kFilePathSize];
    bank_copyText(title, sizeof title, bank->file.title);
    return saveTo(bank, path, title);
}

long mvnFile_saveAs(bankRec* bank, const char* path, const char* title)
{
    return saveTo(bank, path, title);
}
