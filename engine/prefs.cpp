// The preferences file "Morvane 1.3 prefs.ini" beside the executable: read
// once at start-up, written once at quit. A missing, truncated or garbled
// file leaves the defaults for whatever it could not give.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "engine/engine.h"

namespace {
enum { kMaxPrefsChunks = 16000 };

char programFolder[kFilePathSize];  // chosen by a test; empty: the executable's folder
char programDir[kFilePathSize];     // the folder in use
char prefsFilePath[kFilePathSize];

void executableFolder(char* out, size_t size)
{
    out[0] = 0;
    char exe[kFilePathSize];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return;
    exe[n] = 0;
    char* slash = std::strrchr(exe, '/');
    if (!slash) return;
    *slash = 0;
    std::snprintf(out, size, "%s", slash == exe ? "/" : exe);
}

// One chunk of the file, by type.
void readChunk(fileRec* file, const chunkRec& header)
{
    switch (header.type) {
    case kPrefsChunkWinPos: prefs_readWriteWinPosChunk(file, nullptr, 0, 1); break;
    case kPrefsChunkChanMap: prefs_readWriteChanMap(file, 1); break;
    case kPrefsChunkCoefs: prefs_readWriteDefaultCoefs(file, 1); break;
    case kPrefsChunkAudio: prefs_readWriteAudio(file, header.version, 1); break;
    case kPrefsChunkAudioPort: prefs_readWriteAudioPort(file, 1); break;
    case kPrefsChunkMidi: midi_readWriteMidiPrefsChunk(file, 1); break;
    case kPrefsChunkSetup: prefs_readWriteSetup(file, 1); break;
    case kPrefsChunkBank: prefs_readLastBank(file, nullptr); break;
    default: break;  // header text, recorder and latency chunks: nothing to take
    }
}

void readFile()
{
    fileRec file;
    file_initFileRec(&file, nullptr);
    std::snprintf(file.path, sizeof file.path, "%s", prefsFilePath);
    if (!file_open(&file, 0)) return;
    chunkVerifyProc keep = file_getChunkVerifyProc();
    file_setChunkVerifyProc(prefs_chunkVerify);
    chunkRec header;
    if (file_readChunk(&file, &header)) {
        for (int n = 0; n < kMaxPrefsChunks; ++n) {
            readChunk(&file, header);
            if (file_reachedTheEnd(&file) || !file_readNextChunk(&file, &header)) break;
        }
    }
    file_close(&file);
    file_setChunkVerifyProc(keep);
    endian_nativeMode();
}
}  // namespace

void prefs_setProgramFolder(const char* folder)
{
    std::snprintf(programFolder, sizeof programFolder, "%s", folder ? folder : "");
    prefs_setPrefsFilePath();
}

const char* prefs_programFolder()
{
    if (!programDir[0]) prefs_setPrefsFilePath();
    return programDir;
}

void prefs_setPrefsFilePath()
{
    if (programFolder[0])
        std::snprintf(programDir, sizeof programDir, "%s", programFolder);
    else
        executableFolder(programDir, sizeof programDir);
    size_t n = std::strlen(programDir);
    const char* sep = (n && programDir[n - 1] == '/') ? "" : "/";
    int len = std::snprintf(prefsFilePath, sizeof prefsFilePath, "%s%s%s", programDir, sep,
                            MORVANE_PREFS_FILE_NAME);
    // A folder too deep for a path leaves no preferences file at all.
    if (len < 0 || len >= static_cast<int>(sizeof prefsFilePath)) prefsFilePath[0] = 0;
}

const char* prefs_getPrefsFilePath()
{
    if (!prefsFilePath[0]) prefs_setPrefsFilePath();
    return prefsFilePath;
}

void prefs_resolvePath(const char* path, char* out, unsigned outSize)
{
    if (!out || outSize == 0) return;
    if (!path || path[0] == '/' || !path[0]) {
        std::snprintf(out, outSize, "%s", path ? path : "");
        return;
    }
    const char* dir = prefs_programFolder();
    size_t n = std::strlen(dir);
    const char* sep = (n && dir[n - 1] == '/') ? "" : "/";
    int len = std::snprintf(out, outSize, "%s%s%s", dir, sep, path);
    if (len < 0 || len >= static_cast<int>(outSize)) std::snprintf(out, outSize, "%s", path);
}

long prefs_chunkVerify(chunkRec* header)
{
    if (!header) return 1;
    switch (header->type) {
    case kPrefsChunkHeader:
    case kPrefsChunkWinPos:
    case kPrefsChunkChanMap:
    case kPrefsChunkCoefs:
    case kPrefsChunkAudio:
    case kPrefsChunkAudioPort:
    case kPrefsChunkMidi:
    case kPrefsChunkSetup:
    case kPrefsChunkBank:
    case kPrefsChunkRecorder:
    case kPrefsChunkLatency: return 0;
    default: return 1;
    }
}

void prefs_open()
{
    if (!file_buf) return;
    lastBanks_init();
    std::memset(g_filterCoefOutput, 0, sizeof g_filterCoefOutput);
    initWindowPositions();
    // A file read before (an earlier start in this process) leaves nothing.
    setup_resetToDefaults();
    endian_nativeMode();
    prefs_setPrefsFilePath();
    if (prefsFilePath[0]) readFile();
    positionWindows();
}

void prefs_save()
{
    prefs_setPrefsFilePath();
    if (!file_buf || !prefsFilePath[0]) {
        engine_error("Save preferences failed. Error = 29441");
        return;
    }
    // Written beside the old file and renamed over it once complete, so a
    // failed quit never leaves half a file behind.
    char temp[kFilePathSize + 8];
    std::snprintf(temp, sizeof temp, "%s.new", prefsFilePath);
    fileRec file;
    file_initFileRec(&file, nullptr);
    if (std::strlen(temp) >= sizeof file.path) {
        engine_error("Save preferences failed. Error = 29441");
        return;
    }
    std::memcpy(file.path, temp, std::strlen(temp) + 1);
    if (!file_create(&file)) {
        engine_error("Save preferences failed. Error = 29441");
        return;
    }
    chunkVerifyProc keep = file_getChunkVerifyProc();
    file_setChunkVerifyProc(prefs_chunkVerify);
    endian_nativeMode();
    long ok = prefs_readWriteHeaderMessage(&file, 0);
    ok = prefs_writeWinPositions(&file, nullptr) && ok;
    ok = prefs_readWriteChanMap(&file, 0) && ok;
    ok = prefs_readWriteDefaultCoefs(&file, 0) && ok;
    ok = prefs_readWriteAudio(&file, 1, 0) && ok;
    ok = prefs_readWriteAudioPort(&file, 0) && ok;
    ok = midi_readWriteMidiPrefsChunk(&file, 0) && ok;
    ok = prefs_readWriteSetup(&file, 0) && ok;
    ok = prefs_writeLastBanks(&file, nullptr) && ok;
    file_close(&file);
    file_setChunkVerifyProc(keep);
    if (!ok || std::rename(temp, prefsFilePath) != 0) {
        std::remove(temp);
        engine_error("Save preferences failed. Error = 29441");
    }
}
