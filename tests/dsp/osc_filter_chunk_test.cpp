// The stored forms "ocil", "mod ", "wshp" and "filt": byte for byte as laid
// out, zeroed padding, read back in both byte orders, short bodies refused.
#include <cmath>
#include <cstring>

#include "osc_filter_util.h"

using namespace oscTest;

namespace {

std::vector<Slot> ocilSlots(const oscil_instRec& r)
{
    return {f(r.mainIncrement), f(r.mainPhase),    f(r.mainRatio),     f(r.ampScale),   f(r.modRatio),
            f(r.modPhase),      f(r.modIncrement), f(r.doubleBalance), f(r.fmIndex),    f(r.ringmodBalance),
            l(r.mode),          l(r.mainFreqMode), l(r.modFreqMode),   l(r.mainWaveID), l(r.modWaveID),
            l(r.index),         l(r.invertPhase),  b(r.active)};
}

std::vector<Slot> modSlots(const modInstRec& r)
{
    return {b(r.active), s(r.index),     s(r.mode),   s(r.freqMode),
            f(r.ratio),  f(r.increment), s(r.waveID), f(r.balance)};
}

std::vector<Slot> wshpSlots(const waveshapeInstRec& r)
{
    return {b(r.mono), b(r.active), s(r.waveID), f(r.inGain), f(r.outGain), f(r.phase)};
}

std::vector<Slot> filtSlots(const filterInstRec& r)
{
    return {b(r.active),       b(r.mono),      s(r.index), s(r.mode),      f(r.freqIndex), f(r.combDelay),
            f(r.combFeedback), f(r.bandpassQ), f(r.gain),  f(r.bandwidth), f(r.combGain),  f(r.resonance)};
}

template <typename Rec> using ReadWrite = int (*)(fileRec*, Rec*, void*, int);

template <typename Rec> using SlotsOf = std::vector<Slot> (*)(const Rec&);

class ModuleChunk : public ChunkFile {
protected:
    // Writes sample, checks the file byte for byte, reads it back natively
    // and in the other byte order into a record initialised as fresh, and
    // checks that a body one slot short is refused with the record untouched.
    template <typename Rec>
    void checkChunk(int32_t type, const Rec& sample, const Rec& fresh, unsigned bodySize,
                    SlotsOf<Rec> slotsOf, ReadWrite<Rec> readWrite)
    {
        std::vector<unsigned char> body = bodyOf(slotsOf(sample), false);
        ASSERT_EQ(body.size(), bodySize);

        Rec copy = sample;
        std::vector<unsigned char> written =
            writeWith([&](fileRec* file, void* buf) { return readWrite(file, &copy, buf, 0); });
        EXPECT_EQ(written, chunkOf(type, body, false)) << "layout or padding differs";

        for (bool swapped : {false, true}) {
            SCOPED_TRACE(swapped ? "other byte order" : "native byte order");
            store(chunkOf(type, bodyOf(slotsOf(sample), swapped), swapped));
            Rec back = fresh;
            EXPECT_EQ(
                readWith(swapped, [&](fileRec* file, void* buf) { return readWrite(file, &back, buf, 1); }),
                1);
            EXPECT_EQ(bodyOf(slotsOf(back), false), body) << "stored fields differ";

            std::vector<unsigned char> shortBody = bodyOf(slotsOf(sample), swapped);
            shortBody.resize(bodySize - 4);
            store(chunkOf(type, shortBody, swapped));
            Rec untouched = fresh;
            EXPECT_EQ(readWith(swapped,
                               [&](fileRec* file, void* buf) { return readWrite(file, &untouched, buf, 1); }),
                      0);
            EXPECT_EQ(std::memcmp(&untouched, &fresh, sizeof fresh), 0) << "short body touched the record";
        }
    }
};

}  // namespace

TEST_F(ModuleChunk, OscilChunk)
{
    oscil_instRec sample, fresh;
    oscil_initInstRec(nullptr, &sample, 2);
    oscil_initInstRec(nullptr, &fresh, 0);
    sample.mainIncrement = 3.25f;
    sample.mainPhase = -256.0f;
    sample.mainRatio = 1.4983071f;
    sample.ampScale = 0.7f;
    sample.modRatio = 2.5f;
    sample.modPhase = 128.0f;
    sample.modIncrement = 11.0f;
    sample.doubleBalance = 0.25f;
    sample.fmIndex = 400.5f;
    sample.ringmodBalance = 0.125f;
    sample.mode = oscMode_fm;
    sample.mainFreqMode = freqMode_note;
    sample.modFreqMode = freqMode_hertz;
    sample.mainWaveID = 0x7F03;
    sample.modWaveID = 0x0105;
    sample.invertPhase = 1;
    sample.active = 0x100;  // a set flag whose low byte is zero is still saved as on
    fresh.work1 = 77;
    fresh.work2 = 78;
    checkChunk(chunkType('o', 'c', 'i', 'l'), sample, fresh, kOscilChunkBody, ocilSlots,
               oscil_readWriteOscilInst);

    // The work words are the audio code's: reading leaves them alone.
    store(chunkOf(chunkType('o', 'c', 'i', 'l'), bodyOf(ocilSlots(sample), false), false));
    oscil_instRec back = fresh;
    ASSERT_EQ(readWith(false, [&](fileRec* file,
                                  void* buf) { return oscil_readWriteOscilInst(file, &back, buf, 1); }),
              1);
    EXPECT_EQ(back.work1, 77);
    EXPECT_EQ(back.work2, 78);
    EXPECT_EQ(back.active, 1);
}

TEST_F(ModuleChunk, ModChunkKeepsIndexBeforeMode)
{
    modInstRec sample, fresh;
    mod_initInstRec(&sample, 1);
    mod_initInstRec(&fresh, 0);
    sample.active = 1;
    sample.mode = 1;
    sample.index = 2;
    sample.freqMode = freqMode_ratio;
    sample.ratio = 3.5f;
    sample.increment = 7.75f;
    sample.waveID = 0x7F01;
    sample.balance = 0.375f;
    checkChunk(chunkType('m', 'o', 'd', ' '), sample, fresh, kModChunkBody, modSlots, mod_readWriteModInst);

    // Index sits in the second slot, mode in the third.
    modInstRec copy = sample;
    writeWith([&](fileRec* file, void* buf) { return mod_readWriteModInst(file, &copy, buf, 0); });
    std::vector<unsigned char> file = load();
    ASSERT_GE(file.size(), 12u + kModChunkBody);
    int16_t second, third;
    std::memcpy(&second, &file[12 + 4], 2);
    std::memcpy(&third, &file[12 + 8], 2);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(third, 1);
}

TEST_F(ModuleChunk, WaveshapeChunk)
{
    waveshapeInstRec sample, fresh;
    waveshape_initInstRec(&sample);
    waveshape_initInstRec(&fresh);
    sample.mono = 1;
    sample.active = 1;
    sample.waveID = 0x0007;
    sample.inGain = 2.0f;
    sample.outGain = 0.5f;
    sample.phase = 0.3f;
    checkChunk(chunkType('w', 's', 'h', 'p'), sample, fresh, kWaveshapeChunkBody, wshpSlots,
               waveshape_readWriteWaveshapeInst);
}

TEST_F(ModuleChunk, FilterChunk)
{
    filterInstRec sample, fresh;
    filter_initInstRec(&sample, 3);
    filter_initInstRec(&fresh, 0);
    sample.active = 1;
    sample.mode = filterMode_comb;
    sample.freqIndex = 258.4f;
    sample.combDelay = 100.5f;
    sample.combFeedback = -0.75f;
    sample.bandpassQ = 12.0f;
    sample.gain = 0.25f;
    sample.bandwidth = 2.5f;
    sample.combGain = 1.5f;
    sample.resonance = 0.9f;
    checkChunk(chunkType('f', 'i', 'l', 't'), sample, fresh, kFilterChunkBody, filtSlots,
               filter_readWriteFilterInst);
}

TEST_F(ModuleChunk, DamagedFilterChunkCannotHandOutBadValues)
{
    filterInstRec bad;
    filter_initInstRec(&bad, 1);
    bad.freqIndex = 9999.0f;
    bad.combDelay = NAN;
    bad.gain = 1e-42f;  // subnormal
    store(chunkOf(chunkType('f', 'i', 'l', 't'), bodyOf(filtSlots(bad), false), false));
    filterInstRec back;
    filter_initInstRec(&back, 0);
    ASSERT_EQ(readWith(false, [&](fileRec* file,
                                  void* buf) { return filter_readWriteFilterInst(file, &back, buf, 1); }),
              1);
    EXPECT_FLOAT_EQ(back.freqIndex, 480.0f);
    EXPECT_FLOAT_EQ(back.combDelay, 200.45454f);
    EXPECT_EQ(back.gain, 0.0f);

    bad.freqIndex = -3.0f;
    bad.combDelay = 0.0f;
    store(chunkOf(chunkType('f', 'i', 'l', 't'), bodyOf(filtSlots(bad), false), false));
    ASSERT_EQ(readWith(false, [&](fileRec* file,
                                  void* buf) { return filter_readWriteFilterInst(file, &back, buf, 1); }),
              1);
    EXPECT_FLOAT_EQ(back.freqIndex, 0.0f);
    EXPECT_FLOAT_EQ(back.combDelay, 1.0f);
}

TEST_F(ModuleChunk, NullArgumentsAreRefused)
{
    oscil_instRec o;
    oscil_initInstRec(nullptr, &o, 0);
    char buf[128];
    fileRec file;
    file_initFileRec(&file, nullptr);
    EXPECT_EQ(oscil_readWriteOscilInst(nullptr, &o, buf, 0), 0);
    EXPECT_EQ(oscil_readWriteOscilInst(&file, nullptr, buf, 0), 0);
    EXPECT_EQ(mod_readWriteModInst(&file, nullptr, buf, 1), 0);
    EXPECT_EQ(waveshape_readWriteWaveshapeInst(&file, nullptr, buf, 1), 0);
    EXPECT_EQ(filter_readWriteFilterInst(&file, nullptr, nullptr, 1), 0);
}
