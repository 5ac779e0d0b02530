// Reading one cycle from a WAV file for "Extract from WAV...", through the
// platform's RIFF calls. WAV files come from anywhere: every header field is
// checked before it is used, nothing is read past the chunk sizes' promise
// or the file's end, and the file is closed on every path. This file needs
// only the platform layer and the instrument model, so the WAV fuzz target
// builds it on its own.
#include <cstdint>
#include <cstring>

#include "windows/windows.h"

namespace {
const int kFormatBytes = 18;  // the format record as read: tag .. extra size
const int kMaxSampleBytes = 4;

unsigned le16(const unsigned char* p) { return static_cast<unsigned>(p[0] | (p[1] << 8)); }

struct formatRec {
    unsigned tag, channels, bitsPerSample;
};

formatRec parseFormat(const unsigned char* bytes)
{
    // tag u16, channels u16, samples per second u32, bytes per second u32,
    // block align u16, bits per sample u16, extra size u16
    return formatRec{le16(bytes), le16(bytes + 2), le16(bytes + 14)};
}

// PCM of 16 bits or more, in whole bytes of at most 4, one or two channels.
// Wider samples are read by their upper 16 bits.
bool supported(const formatRec& f)
{
    return f.tag == 1 && f.bitsPerSample >= 16 && f.bitsPerSample <= 8 * kMaxSampleBytes && f.channels >= 1 &&
           f.channels <= 2;
}

// The n values read stretched over the cycle by linear interpolation; the
// entry after the last value read is 0, so the last interval slopes to 0.
void stretch(const float* values, int n, float* cycle)
{
    double step = double(n) / kWaveSamples;
    for (int i = 0; i < kWaveSamples; ++i) {
        double p = i * step;
        int k = static_cast<int>(p);
        if (k > kWaveSamples - 1) k = kWaveSamples - 1;
        float next = k + 1 < kWaveSamples ? values[k + 1] : 0.0f;
        cycle[i] = static_cast<float>(values[k] + (next - values[k]) * (p - k));
    }
}

int readCycle(HMMIO h, float* cycle)
{
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) return kWavNoRiff;
    MMCKINFO chunk{};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(h, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return kWavNoFormat;
    unsigned char bytes[kFormatBytes];
    if (mmioRead(h, reinterpret_cast<char*>(bytes), kFormatBytes) < kFormatBytes) return kWavShortFormat;
    formatRec format = parseFormat(bytes);
    if (!supported(format)) return kWavUnsupported;
    if (mmioAscend(h, &chunk, 0) != MMSYSERR_NOERROR) return kWavAscendFailed;
    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(h, &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return kWavNoData;

    const int sampleBytes = static_cast<int>((format.bitsPerSample + 7) / 8);
    const int frameBytes = sampleBytes * static_cast<int>(format.channels);
    unsigned char raw[kWaveSamples * 2 * kMaxSampleBytes] = {};
    long want = static_cast<long>(kWaveSamples) * frameBytes;
    if (static_cast<long>(data.cksize) < want) want = static_cast<long>(data.cksize);
    // A data chunk that promises more than the file holds gives what is there.
    long got = mmioRead(h, reinterpret_cast<char*>(raw), want);
    int frames = got > 0 ? static_cast<int>(got / frameBytes) : 0;
    if (frames < 1) return kWavNoData;

    float values[kWaveSamples];
    std::memset(values, 0, sizeof values);
    for (int i = 0; i < frames; ++i) {
        // The left (first) sample of the frame, by its upper 16 bits.
        const unsigned char* s = raw + i * frameBytes + sampleBytes - 2;
        int sample = static_cast<int16_t>(le16(s));
        double v = sample * (1.0 / 32767.0);
        values[i] = static_cast<float>(v < -0.99 ? -0.99 : (v > 0.99 ? 0.99 : v));
    }
    if (frames >= kWaveSamples)
        std::memcpy(cycle, values, sizeof values);
    else
        stretch(values, frames, cycle);
    return kWavOk;
}
}  // namespace

int wavFile_readCycle(const char* path, float* cycle)
{
    if (!path || !cycle) return kWavOpenFailed;
    HMMIO h = mmioOpenA(const_cast<LPSTR>(path), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (!h) return kWavOpenFailed;
    float result[kWaveSamples];
    int outcome = readCycle(h, result);
    mmioClose(h, 0);
    if (outcome == kWavOk) std::memcpy(cycle, result, sizeof result);
    return outcome;
}

const char* wavFile_message(int outcome)
{
    switch (outcome) {
    case kWavOk: return nullptr;
    case kWavOpenFailed: return "File error 18334, The WAV file failed to open";
    case kWavNoRiff: return "Extract from WAV failed. File error 18335.";
    case kWavNoFormat: return "Extract from WAV failed. File error 18336.";
    case kWavShortFormat: return "Extract from WAV failed. File error 18337.";
    case kWavAscendFailed: return "Extract from WAV failed. File error 18338.";
    case kWavNoData: return "Extract from WAV failed. File error 18339.";
    default: return "Extract from WAV failed. This is an unsupported audio format.";
    }
}
