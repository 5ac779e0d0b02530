// The preferences file: written then read back, its chunk order, and files
// that are missing, truncated or garbled.
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/engine/engine_fixture.h"

namespace {
struct rawChunk {
    std::string type;
    int32_t version;
    std::vector<unsigned char> body;
};

std::vector<unsigned char> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

std::vector<rawChunk> chunksOf(const std::vector<unsigned char>& bytes)
{
    std::vector<rawChunk> out;
    size_t at = 0;
    while (at + 12 <= bytes.size()) {
        int32_t head[3];
        std::memcpy(head, &bytes[at], 12);
        rawChunk c;
        for (int i = 3; i >= 0; --i)
            c.type += static_cast<char>((static_cast<uint32_t>(head[0]) >> (8 * i)) & 0xFF);
        c.version = head[2];
        c.body.assign(bytes.begin() + (long)at + 12, bytes.begin() + (long)(at + 12 + (size_t)head[1]));
        out.push_back(c);
        at += 12 + (size_t)head[1];
    }
    return out;
}

std::vector<unsigned char> chunk(const char* type, const std::vector<int32_t>& longs, int32_t version = 0,
                                 const std::string& text = "", size_t textBytes = 0)
{
    std::vector<unsigned char> body(textBytes, 0);
    if (textBytes) std::memcpy(body.data(), text.data(), std::min(text.size(), textBytes));
    for (int32_t v : longs) {
        unsigned char b[4];
        std::memcpy(b, &v, 4);
        body.insert(body.end(), b, b + 4);
    }
    int32_t head[3] = {chunkType(type[0], type[1], type[2], type[3]), (int32_t)body.size(), version};
    std::vector<unsigned char> out(12);
    std::memcpy(out.data(), head, 12);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

class Prefs : public EngineTest {
protected:
    std::string prefsPath() const { return prefs_getPrefsFilePath(); }
    // Fills every remembered value with something other than its default.
    void changeEverything()
    {
        lastBank_add("/banks/One.glo");
        lastBank_add("/banks/Two.glo");
        lastBank_add("/banks/Three.glo");
        lastBanks_setDefault("/banks/Start.glo");
        desktopRecord& d = desktop();
        const int ids[] = {winId_main, winId_patch,  winId_envelope, winId_waveform,
                           winId_midi, winId_effect, winId_lfo,      winId_frame};
        for (int id : ids) {
            d.places[id] = {0, 10 + id, 20 + id, 300 + id, 200 + id, id % 2};
            d.placeKnown[id] = true;
        }
        setup_setAutoBalanceChannels(0);
        g_enableProgramChange = 0;
        g_oneWindowEditor = 1;
        midiChannel = 9;
        midiInDevice = 2;
        prefs_audioPort = 4;
        prefs_audio.rate = 48000.0f;
        prefs_audio.bufferSize = 512;
        std::snprintf(prefs_audio.blocks[1], kAudioBlockBytes, "driver name");
        for (int k = 0; k < kChanMapBytes; ++k) g_filterCoefOutput[k] = static_cast<uint8_t>(k + 1);
        for (int k = 0; k < kDefaultCoefFloats; ++k) g_defaultFilterCoefs[k] = 0.5f * k;
    }
    void resetEverything()
    {
        lastBanks_init();
        initWindowPositions();
        setup_setAutoBalanceChannels(1);
        setup_setEnablePgmChg(1);
        setup_setOneWindowEditing(0);
        g_enableProgramChange = 1;
        g_oneWindowEditor = 0;
        midiChannel = midiInDevice = prefs_audioPort = 0;
        prefs_audio = prefsAudioRec{};
        std::memset(g_filterCoefOutput, 0, sizeof g_filterCoefOutput);
        std::memset(g_defaultFilterCoefs, 0, sizeof g_defaultFilterCoefs);
    }
    // The records a run remembers, as one comparable text.
    std::string snapshot()
    {
        std::string s;
        for (int id = kWinPosFirst; id <= kWinPosLast; ++id) {
            const winPosRec* r = wPosID_to_winPosRec(id);
            s += std::to_string(r->id) + ":" + std::to_string(r->x) + "," + std::to_string(r->y) + "," +
                 std::to_string(r->width) + "," + std::to_string(r->height) + "," +
                 std::to_string(r->visible) + ";";
        }
        // Recent banks by rank: reading puts each into the slot of its priority.
        for (int priority = 0; priority < kLastBanks; ++priority) {
            int slot = lastBanks_getFromPriority(priority);
            s += (slot < 0 ? std::string("-") : std::string(lastBanks[slot].path)) + ";";
        }
        s += std::string(defaultBank.path) + "@" + std::to_string(defaultBank.priority) + ";";
        s += std::to_string(midiChannel) + "," + std::to_string(midiInDevice) + "," +
             std::to_string(prefs_audioPort) + "," + std::to_string(prefs_audio.rate) + "," +
             std::to_string(prefs_audio.bufferSize) + "," + prefs_audio.blocks[1] + ";";
        for (uint8_t b : g_filterCoefOutput) s += std::to_string(b) + ",";
        for (float f : g_defaultFilterCoefs) s += std::to_string(f) + ",";
        return s;
    }
};
}  // namespace

TEST_F(Prefs, WrittenThenReadGivesTheSameRecords)
{
    changeEverything();
    prefs_save();
    ASSERT_TRUE(desktop().errors.empty());
    getWindowPositions();
    std::string saved = snapshot();
    EXPECT_EQ(wPosID_to_winPosRec(128)->x, 11);
    EXPECT_EQ(wPosID_to_winPosRec(128)->width, 0);    // the Main window keeps its size
    EXPECT_EQ(wPosID_to_winPosRec(130)->width, 307);  // the Envelope window's size is kept

    resetEverything();
    ASSERT_NE(snapshot(), saved);
    prefs_open();
    EXPECT_EQ(snapshot(), saved);
    EXPECT_TRUE(setup_getPrefsLoaded());
    setup_doStuffFromPrefs();
    EXPECT_EQ(g_enableProgramChange, 0);
    EXPECT_EQ(g_oneWindowEditor, 1);
    EXPECT_EQ(setup_getAutoBalanceChannels(), 0);
    EXPECT_FALSE(desktop().item(engineMenu_setup, cmd_enablePgmChg)->checked);
    EXPECT_TRUE(desktop().item(engineMenu_window, cmd_oneWindow)->checked);
    EXPECT_EQ(desktop().editorCalls.back(), "balance off");
    // Reading placed the windows: the frame first, Main shown last.
    ASSERT_FALSE(desktop().moved.empty());
    EXPECT_EQ(desktop().moved.front().id, winId_frame);
    EXPECT_EQ(desktop().moved.front().x, 10);
    EXPECT_EQ(desktop().shown.back(), std::make_pair(static_cast<int>(winId_main), 1));
}

TEST_F(Prefs, ChunksAreWrittenInTheirOrder)
{
    changeEverything();
    prefs_save();
    std::vector<rawChunk> chunks = chunksOf(readBytes(prefsPath()));
    std::vector<std::string> types;
    for (const rawChunk& c : chunks) types.push_back(c.type);
    const std::vector<std::string> expected = {"pHed", "wPoS", "wPoS", "wPoS", "wPoS", "wPoS", "wPoS", "wPoS",
                                               "wPoS", "wPoS", "wPoS", "wPoS", "cMap", "f7b0", "Qdrz", "NMME",
                                               "mEdE", "stUp", "zBnk", "zBnk", "zBnk", "zBnk"};
    ASSERT_EQ(types, expected);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(chunks[0].body.data()), 24),
              "Do not edit this file!!!");
    EXPECT_EQ(chunks[0].body.size(), 256u);
    // Window positions: windows 1, 2, 7, 4, 6, 5, 3, the navigators and the
    // meter, then the frame.
    const int32_t ids[] = {128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 127};
    for (int k = 0; k < 11; ++k) {
        int32_t id;
        std::memcpy(&id, chunks[1 + k].body.data(), 4);
        EXPECT_EQ(id, ids[k]);
        EXPECT_EQ(chunks[1 + k].body.size(), 24u);
    }
    EXPECT_EQ(chunks[12].body.size(), 16u);
    EXPECT_EQ(chunks[13].body.size(), 1024u);
    EXPECT_EQ(chunks[14].version, 1);
    EXPECT_EQ(chunks[14].body.size(), 20u + 3 * 256);
    EXPECT_EQ(chunks[15].body.size(), 4u);
    EXPECT_EQ(chunks[16].body.size(), 8u);
    EXPECT_EQ(chunks[17].body.size(), 12u + 124);
    // Recent banks in slot order, then the start bank with 777.
    int32_t priority;
    std::memcpy(&priority, chunks.back().body.data() + 260, 4);
    EXPECT_EQ(priority, 777);
    EXPECT_STREQ(reinterpret_cast<const char*>(chunks.back().body.data()), "/banks/Start.glo");
    for (int k = 0; k < 3; ++k) {
        std::memcpy(&priority, chunks[18 + k].body.data() + 260, 4);
        EXPECT_EQ(priority, 2 - k);  // One in slot 0 is now the oldest
    }
}

TEST_F(Prefs, WithoutAFileTheDefaultsStay)
{
    changeEverything();
    prefs_open();
    EXPECT_EQ(wPosID_to_winPosRec(127)->x, 0);
    EXPECT_EQ(wPosID_to_winPosRec(127)->y, 0);
    EXPECT_EQ(wPosID_to_winPosRec(127)->width, 1020);
    EXPECT_EQ(wPosID_to_winPosRec(127)->height, 760);
    std::vector<int> visible;
    for (int id = kWinPosFirst + 1; id <= kWinPosLast; ++id)
        if (wPosID_to_winPosRec(id)->visible) visible.push_back(id);
    EXPECT_EQ(visible, (std::vector<int>{128, 135, 137}));
    EXPECT_STREQ(defaultBank.path, "Factory Presets.glo");
    EXPECT_EQ(defaultBank.priority, 777);
    EXPECT_EQ(lastBanks_getFromPriority(0), -1);
    for (uint8_t b : g_filterCoefOutput) EXPECT_EQ(b, 0);
}

TEST_F(Prefs, AnOlderFileWithoutTheNavigatorsAndTheMeterLeavesTheirDefaults)
{
    std::vector<unsigned char> bytes = chunk("wPoS", {128, 11, 12, 0, 0, 1});
    std::vector<unsigned char> frame = chunk("wPoS", {127, 5, 6, 800, 600, 1});
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    writeBytes(prefsPath(), bytes);
    prefs_open();
    EXPECT_EQ(wPosID_to_winPosRec(128)->x, 11);
    EXPECT_EQ(wPosID_to_winPosRec(127)->width, 800);
    const winPosRec* navigator = wPosID_to_winPosRec(135);
    EXPECT_EQ(navigator->x, -8);
    EXPECT_EQ(navigator->visible, 1);
    EXPECT_EQ(wPosID_to_winPosRec(136)->visible, 0);
    EXPECT_EQ(wPosID_to_winPosRec(137)->x, 724);
}

TEST_F(Prefs, TruncatedFilesKeepWhatCameBeforeTheCut)
{
    changeEverything();
    prefs_save();
    getWindowPositions();
    const std::string saved = snapshot();
    const std::vector<unsigned char> whole = readBytes(prefsPath());
    resetEverything();
    const std::string defaults = snapshot();
    // Every cut of the file; each reading starts from the defaults and may
    // only produce a mixture of saved and default values.
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
        writeBytes(prefsPath(), std::vector<unsigned char>(whole.begin(), whole.begin() + (long)cut));
        prefs_open();
        // Nothing but the header text before the first window record ends.
        if (cut < 12 + 256 + 12 + 24) {
            EXPECT_EQ(snapshot(), defaults) << cut;
        }
        const int32_t frameX = wPosID_to_winPosRec(127)->x;
        EXPECT_TRUE(frameX == 0 || frameX == 10) << cut;
        EXPECT_TRUE(midiChannel == 0 || midiChannel == 9) << cut;
    }
    writeBytes(prefsPath(), whole);
    prefs_open();
    EXPECT_EQ(snapshot(), saved);
    writeBytes(prefsPath(), std::vector<unsigned char>(whole.begin(), whole.end() - 1));
    prefs_open();
    EXPECT_STREQ(defaultBank.path, "Factory Presets.glo");  // the last chunk lost its end
    EXPECT_EQ(wPosID_to_winPosRec(127)->x, 10);
}

TEST_F(Prefs, GarbledFilesNeverCrashAndGiveNothingBad)
{
    resetEverything();
    const std::string path = prefsPath();
    auto readWith = [&](std::vector<unsigned char> bytes) {
        writeBytes(path, bytes);
        prefs_open();
    };
    // A priority outside 0..9 is ignored, 777 names the start bank, a path
    // without its terminator is cut inside its field.
    std::vector<unsigned char> file = chunk("pHed", {}, 0, "Do not edit this file!!!", 256);
    for (auto part :
         {chunk("zBnk", {12}, 0, "/x/Twelve.glo", 260), chunk("zBnk", {777}, 0, "/x/Start.glo", 260),
          chunk("zBnk", {3}, 0, std::string(300, 'A'), 260), chunk("zBnk", {4}, 0, "", 260),
          chunk("zBnk", {5}, 0, "/x/Start.glo", 260), chunk("zBnk", {6}, 0, "/x/Start.glo", 260)})
        file.insert(file.end(), part.begin(), part.end());
    readWith(file);
    EXPECT_STREQ(defaultBank.path, "/x/Start.glo");
    EXPECT_EQ(lastBank_itsAlreadyInTheList("/x/Twelve.glo"), -1);
    EXPECT_EQ(std::strlen(lastBanks[3].path), 259u);
    EXPECT_EQ(lastBanks[4].priority, -1);
    EXPECT_EQ(lastBanks[5].priority, 5);
    EXPECT_EQ(lastBanks[6].priority, -1);  // the same path twice is listed once

    // Window records with unknown ids, short bodies, a newer audio chunk.
    file = chunk("wPoS", {126, 1, 2, 3, 4, 1});
    for (auto part : {chunk("wPoS", {138, 1, 2, 3, 4, 1}), chunk("wPoS", {129, 5, 6}),
                      chunk("wPoS", {133, 7, 8, -40, -50, 9}), chunk("Qdrz", {1, 2, 3, 4, 5}, 2),
                      chunk("stUp", {0, 0, 1}), chunk("mEdE", {3})})
        file.insert(file.end(), part.begin(), part.end());
    readWith(file);
    EXPECT_EQ(wPosID_to_winPosRec(129)->x, 89);
    EXPECT_EQ(wPosID_to_winPosRec(133)->x, 7);
    EXPECT_EQ(wPosID_to_winPosRec(133)->width, 0);
    EXPECT_EQ(wPosID_to_winPosRec(133)->visible, 1);
    EXPECT_EQ(midiChannel, 0);

    // An unknown chunk type stops the reading there.
    file = chunk("zzzz", {1});
    auto after = chunk("zBnk", {0}, 0, "/x/After.glo", 260);
    file.insert(file.end(), after.begin(), after.end());
    readWith(file);
    EXPECT_EQ(lastBanks_getFromPriority(0), -1);
    file = chunk("NMME", {7});
    auto bad = chunk("what", {1});
    file.insert(file.end(), bad.begin(), bad.end());
    file.insert(file.end(), after.begin(), after.end());
    readWith(file);
    EXPECT_EQ(prefs_audioPort, 7);
    EXPECT_EQ(lastBanks_getFromPriority(0), -1);

    // A body size far beyond the file or the buffer, then pure noise.
    file = chunk("cMap", {1, 2, 3, 4});
    int32_t huge = 0x7FFFFFF0;
    std::memcpy(&file[4], &huge, 4);
    readWith(file);
    for (uint8_t b : g_filterCoefOutput) EXPECT_EQ(b, 0);
    uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::vector<unsigned char> noise(static_cast<size_t>(seed % 2000));
        for (auto& b : noise) {
            seed = seed * 1103515245u + 12345u;
            b = static_cast<unsigned char>(seed >> 16);
        }
        // Half of the rounds start with a real header so that the noise is
        // read as bodies.
        if (round % 2 && noise.size() >= 12) {
            auto head = chunk("zBnk", {});
            std::memcpy(noise.data(), head.data(), 4);
        }
        readWith(noise);
        for (const lastBankRec& b : lastBanks) EXPECT_LT(std::strlen(b.path), sizeof b.path);
    }
}

TEST_F(Prefs, AFailedSaveIsReportedOnTheSilentChannel)
{
    prefs_setProgramFolder((session_.folder + "/no/such/folder").c_str());
    prefs_save();
    ASSERT_EQ(desktop().errors.size(), 1u);
    EXPECT_EQ(desktop().errors[0], "Save preferences failed. Error = 29441");
    EXPECT_TRUE(desktop().messages.empty());
    // The file sits beside the program unless a folder is chosen.
    prefs_setProgramFolder(nullptr);
    std::string path = prefs_getPrefsFilePath();
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "Morvane 1.3 prefs.ini");
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(n, 0);
    exe[n] = 0;
    EXPECT_EQ(std::string(prefs_programFolder()), std::string(exe).substr(0, std::string(exe).rfind('/')));
}

TEST_F(Prefs, FrameAtTheTopIsRememberedAndAMinimisedFrameKeepsItsRecord)
{
    resetEverything();
    g_startingUp = 0;
    desktopRecord& d = desktop();
    d.places[winId_frame] = {0, 200, 0, 900, 700, 1};
    d.placeKnown[winId_frame] = true;
    getWindowPositions();
    EXPECT_EQ(wPosID_to_winPosRec(127)->x, 200);
    EXPECT_EQ(wPosID_to_winPosRec(127)->y, 0);
    EXPECT_EQ(wPosID_to_winPosRec(127)->width, 900);

    // Minimised: far off the screen; the record of the frame stays.
    d.places[winId_frame] = {0, -32000, -32000, 160, 24, 1};
    getWindowPositions();
    EXPECT_EQ(wPosID_to_winPosRec(127)->x, 200);
    EXPECT_EQ(wPosID_to_winPosRec(127)->height, 700);
}
