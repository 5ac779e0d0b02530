// libFuzzer target over "Extract from WAV...": every input is a WAV file
// read through the platform's RIFF calls for one cycle. Nothing may crash,
// leak or read outside its buffers; a cycle read must hold finite samples
// within +-0.99, and a file that fails must leave the cycle as it was.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "windows/windows.h"

namespace {
struct fuzzFile {
    std::string path;
    fuzzFile()
    {
        char tmpl[] = "/tmp/morvane-wavfuzz-XXXXXX";
        int fd = mkstemp(tmpl);
        if (fd >= 0) close(fd);
        path = tmpl;
    }
    ~fuzzFile() { unlink(path.c_str()); }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzzFile file;
    FILE* f = std::fopen(file.path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    float cycle[kWaveSamples];
    for (float& x : cycle) x = 2.0f;
    int outcome = wavFile_readCycle(file.path.c_str(), cycle);
    if (outcome == kWavOk) {
        for (float x : cycle)
            if (!std::isfinite(x) || x < -0.99f || x > 0.99f) std::abort();
    } else {
        for (float x : cycle)
            if (x != 2.0f) std::abort();
        if (!wavFile_message(outcome)) std::abort();
    }
    return 0;
}
