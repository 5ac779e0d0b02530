// The MIDI state (controllers, pressure, bend, event buffer, the bag) and the
// stored controllers with their stored form.
#include <cmath>
#include <cstring>
#include <string>

#include "wtm_test_util.h"

namespace {

void bend(instRec* inst, unsigned char high)
{
    const unsigned char packet[kMidiPacketBytes] = {0xE0, 0, high};
    midi_processBend(inst, packet);
}

TEST(MidiState, ControllersPressureAndSustain)
{
    instRec* inst = wtm::freshInst();
    midi_playCC(inst, 74, 200, 0);
    EXPECT_EQ(midi_getCCVal(inst, 74), 127);
    EXPECT_EQ(midi_cc_needUpdate(inst), 1);
    EXPECT_EQ(midi_cc_needUpdate(inst), 0);  // cleared by the first look

    midi_playCC(inst, 64, 100, 3);
    EXPECT_EQ(inst->midi.sustain, 100);
    EXPECT_EQ(midi_getCCVal(inst, 64), 100);
    midi_playCC(inst, 10, -5, 0);
    EXPECT_EQ(midi_getCCVal(inst, 10), 0);

    midi_playCC(inst, -1, 90, 0);
    EXPECT_EQ(inst->midi.aftertouch, 90);
    EXPECT_EQ(midi_getCCVal(inst, -1), 90);
    midi_playCC(inst, -1, 30, 16);  // no such channel
    midi_playCC(inst, 128, 30, 0);  // no such controller
    midi_playCC(inst, -2, 30, 0);
    EXPECT_EQ(inst->midi.aftertouch, 90);
    EXPECT_EQ(midi_getCCVal(inst, 128), 0);
    EXPECT_EQ(midi_getCCVal(inst, -2), 0);

    // Packets straight from outside are clamped too.
    const unsigned char wild[kMidiPacketBytes] = {0xB0, 200, 255};
    midi_processCc(inst, wild);
    EXPECT_EQ(midi_getCCVal(inst, 127), 127);
    const unsigned char pressure[kMidiPacketBytes] = {0xD0, 250, 0};
    midi_processAftertouch(inst, pressure);
    EXPECT_EQ(inst->midi.aftertouch, 127);
    inst->midi.channel = 5;
    EXPECT_EQ(midi_getChannel(inst), 5);
}

TEST(MidiState, Controller123ReleasesEveryVoiceAndRetriggersLfos)
{
    instRec* inst = wtm::freshInst();
    midi_playCC(inst, 64, 0, 0);  // the pedal is kept across a reset
    inst->voicesInUse = 4;
    voice_initVoiceAllocationRec(inst, &inst->alloc);
    for (short v = 0; v < 4; ++v) {
        inst->voice[v].state = 3;
        inst->voice[v].note = static_cast<int16_t>(60 + v);
    }
    midi_playCC(inst, 123, 0, 0);
    for (short v = 0; v < 4; ++v) {
        EXPECT_EQ(inst->voice[v].state, 1) << v;
        EXPECT_EQ(inst->voice[v].note, -1) << v;
    }
    // With the sustain pedal down, releasing stops at the gate.
    inst->voice[0].state = 3;
    inst->voice[0].note = 60;
    midi_playCC(inst, 64, 127, 0);
    midi_playCC(inst, 123, 0, 0);
    EXPECT_EQ(inst->voice[0].state, 3);

    // Every controller is shown to the LFOs' retrigger.
    inst->lfo[1].retriggerOn = 1;
    inst->lfo[1].retriggerCC = 20;
    midi_playCC(inst, 20, 5, 0);
    EXPECT_EQ(inst->lfo[1].retriggerPending, 1);
}

TEST(MidiState, PitchBendReachesTheRangeExactly)
{
    instRec* inst = wtm::freshInst();
    bend(inst, 127);
    EXPECT_FLOAT_EQ(inst->cc.bendTarget, 4.0f);
    EXPECT_FLOAT_EQ(inst->midi.bendSemitones, 24.0f);
    EXPECT_EQ(inst->midi.bendRaw, 128);
    bend(inst, 0);
    EXPECT_FLOAT_EQ(inst->cc.bendTarget, 0.25f);
    EXPECT_FLOAT_EQ(inst->midi.bendSemitones, -24.0f);
    bend(inst, 64);
    EXPECT_FLOAT_EQ(inst->cc.bendTarget, 1.0f);
    cc_setBendRange(inst, 2.0f);
    bend(inst, 96);
    EXPECT_FLOAT_EQ(inst->midi.bendSemitones, 1.0f);
    EXPECT_NEAR(inst->cc.bendTarget, std::pow(2.0, 1.0 / 12.0), 1e-6);
    EXPECT_EQ(midi_cc_needUpdate(inst), 1);
}

TEST(MidiState, EventBufferHoldsSixteen)
{
    instRec* inst = wtm::freshInst();
    midiRec* m = &inst->midi;
    EXPECT_EQ(m->count, 0);
    for (int i = 0; i < 20; ++i) midi_addToBuffer(m, 0x90, static_cast<short>(40 + i), 75, 0, i);
    EXPECT_EQ(m->count, 16);
    EXPECT_EQ(m->events[15].data1, 55);
    EXPECT_EQ(m->events[15].time, 15);
    EXPECT_EQ(m->events[0].status, 0x90);
    EXPECT_EQ(m->events[0].pending, 1);
    midi_clearBuffer(m);
    EXPECT_EQ(m->count, 0);
    EXPECT_EQ(m->events[0].pending, 0);
    m->count = -4;  // a bad count in the shared record: nothing written
    midi_addToBuffer(m, 0x90, 1, 2, 3, 4);
    EXPECT_EQ(m->count, -4);

    m->noteMem[3] = 60;
    midi_noteMemClear(inst);
    for (int16_t n : m->noteMem) EXPECT_EQ(n, -1);
}

TEST(MidiState, BagReportsChangedNotes)
{
    instRec* inst = wtm::freshInst();
    midiRec* m = &inst->midi;
    m->bagOn[30] = 1;
    m->bagOn[72] = 1;
    midi_bag_clear(inst);
    EXPECT_EQ(midi_bag_changed(inst), 1);
    EXPECT_EQ(m->bagAllChanged, 1);
    EXPECT_EQ(m->bagOn[30], 0);
    EXPECT_EQ(m->bagWasOn[72], 1);
    midi_bag_startCheck(inst);
    EXPECT_EQ(midi_bag_changed(inst), 0);

    // The plug-in turns note 50 on and marks it.
    m->bagOn[50] = 1;
    m->bagNoteChanged[50] = 1;
    short note = 23, velocity = -1;
    ASSERT_EQ(midi_bag_nextNoteChanged(inst, &note, &velocity), 1);
    EXPECT_EQ(note, 30);
    EXPECT_EQ(velocity, 0);
    ASSERT_EQ(midi_bag_nextNoteChanged(inst, &note, &velocity), 1);
    EXPECT_EQ(note, 50);
    EXPECT_EQ(velocity, 127);
    ASSERT_EQ(midi_bag_nextNoteChanged(inst, &note, &velocity), 1);
    EXPECT_EQ(note, 72);
    EXPECT_EQ(midi_bag_nextNoteChanged(inst, &note, &velocity), 0);
    EXPECT_EQ(note, 127);
    // Marks are cleared as they are reported.
    note = 0;
    EXPECT_EQ(midi_bag_nextNoteChanged(inst, &note, &velocity), 0);
    note = 128;
    EXPECT_EQ(midi_bag_nextNoteChanged(inst, &note, &velocity), 0);
    EXPECT_EQ(note, 128);
    note = -1;
    EXPECT_EQ(midi_bag_nextNoteChanged(inst, &note, &velocity), 0);
}

// --- stored controllers ---------------------------------------------------------------

TEST(StoredControllers, ListOperations)
{
    storedCCList list;
    storedCC_initList(&list);
    EXPECT_EQ(list.count, 9);
    ASSERT_NE(storedCC_getRecFromCC(&list, 1), nullptr);
    EXPECT_EQ(storedCC_getRecFromCC(&list, 1)->value, 0);
    EXPECT_EQ(storedCC_getRecFromCC(&list, 7)->value, 127);
    EXPECT_EQ(storedCC_getRecFromCC(&list, 10)->value, 64);
    EXPECT_EQ(storedCC_getNextCC(&list, 1)->cc, 7);
    EXPECT_EQ(storedCC_getNextCC(&list, -100)->cc, 1);
    EXPECT_EQ(storedCC_getNextCC(&list, 10), nullptr);

    storedCC_addToList(&list, -1, 40, "touch");
    storedCC_addToList(&list, 7, 100, "a name longer than sixteen");
    EXPECT_EQ(storedCC_getRecFromCC(&list, 7)->value, 100);
    EXPECT_EQ(0, std::memcmp(storedCC_getRecFromCC(&list, 7)->name, "a name longer th", 16));
    EXPECT_EQ(storedCC_getNextCC(&list, -2)->cc, -1);
    storedCC_renameInList(&list, -1, "press");
    EXPECT_STREQ(storedCC_getRecFromCC(&list, -1)->name, "press");
    storedCC_renameInList(&list, 99, "nobody");

    for (int cc = 20; cc < 30; ++cc) storedCC_addToList(&list, cc, cc, "");
    EXPECT_EQ(storedCC_getFreeRec(&list), nullptr);
    EXPECT_EQ(storedCC_getRecFromCC(&list, 25), nullptr);  // full: ignored
    EXPECT_EQ(storedCC_getRecFromCC(&list, 24)->value, 24);

    storedCCList copy;
    std::memset(&copy, 0x55, sizeof copy);
    storedCC_copyList(&list, &copy);
    EXPECT_EQ(copy.count, 9);
    EXPECT_EQ(storedCC_getRecFromCC(&copy, -1)->value, 40);
    EXPECT_EQ(storedCC_getRecFromCC(&copy, 7)->value, 100);
    EXPECT_EQ(storedCC_getRecFromCC(&copy, 24)->value, 24);
}

TEST(StoredControllers, DumpPlaysTheListOnTheChannel)
{
    instRec* inst = wtm::freshInst();
    inst->midi.channel = 2;
    storedCC_addToList(&inst->storedCC, -1, 33, "");
    storedCC_addToList(&inst->storedCC, 74, 300, "");
    storedCC_dumpMIDI(inst);
    EXPECT_EQ(midi_getCCVal(inst, 1), 0);
    EXPECT_EQ(midi_getCCVal(inst, 7), 127);
    EXPECT_EQ(midi_getCCVal(inst, 10), 64);
    EXPECT_EQ(midi_getCCVal(inst, 74), 127);
    EXPECT_EQ(inst->midi.aftertouch, 33);
    inst->midi.channel = 20;  // a bad channel: nothing is played
    inst->storedCC.rec[0].value = 90;
    storedCC_dumpMIDI(inst);
    EXPECT_EQ(midi_getCCVal(inst, inst->storedCC.rec[0].cc), 0);
}

std::string storedLayout(int records)
{
    return "l" + wtm::repeat("ll"
                             "bbbb",
                             records);
}

TEST(StoredControllerChunk, RoundTripsInBothByteOrders)
{
    for (bool flipped : {false, true}) {
        SCOPED_TRACE(flipped);
        storedCCList list;
        storedCC_initList(&list);
        storedCC_addToList(&list, -1, 12, "pressure");
        storedCC_addToList(&list, 1000, 70000, "odd");  // stored as it is
        wtm::ChunkFile file;
        ASSERT_EQ(1, file.write([&](fileRec* f, void* b) {
            return storedCC_readWritestoredCCList(f, &list, b, 0);
        }));
        EXPECT_EQ(file.type(), 0x73744343);
        EXPECT_EQ(file.bodySize(), 4 + 9 * 24);
        if (flipped) file.swap(storedLayout(9));
        storedCCList read;
        std::memset(&read, 0, sizeof read);
        ASSERT_EQ(
            1, file.read([&](fileRec* f, void* b) { return storedCC_readWritestoredCCList(f, &read, b, 1); },
                         flipped));
        EXPECT_EQ(0, std::memcmp(&read, &list, offsetof(storedCCList, unused)));
    }
}

TEST(StoredControllerChunk, CountsAreClampedAndShortBodiesRefused)
{
    storedCCList list;
    storedCC_initList(&list);
    wtm::ChunkFile file;
    ASSERT_EQ(
        1, file.write([&](fileRec* f, void* b) { return storedCC_readWritestoredCCList(f, &list, b, 0); }));
    std::vector<unsigned char> b = file.bytes();
    // Count 12 in a body of nine records: read as 9.
    int32_t twelve = 12;
    std::memcpy(&b[12], &twelve, 4);
    file.setBytes(b);
    storedCCList read;
    std::memset(&read, 0, sizeof read);
    ASSERT_EQ(
        1, file.read([&](fileRec* f, void* buf) { return storedCC_readWritestoredCCList(f, &read, buf, 1); },
                     false));
    EXPECT_EQ(read.count, 9);
    EXPECT_EQ(storedCC_getRecFromCC(&read, 7)->value, 127);

    // Count 2: two records read, the rest free.
    int32_t two = 2;
    std::memcpy(&b[12], &two, 4);
    file.setBytes(b);
    ASSERT_EQ(
        1, file.read([&](fileRec* f, void* buf) { return storedCC_readWritestoredCCList(f, &read, buf, 1); },
                     false));
    EXPECT_EQ(read.count, 9);
    EXPECT_NE(storedCC_getRecFromCC(&read, 7), nullptr);
    EXPECT_EQ(storedCC_getRecFromCC(&read, 10), nullptr);
    EXPECT_EQ(read.rec[8].cc, kStoredCCFree);

    // A negative count reads as an empty list.
    int32_t negative = -7;
    std::memcpy(&b[12], &negative, 4);
    file.setBytes(b);
    ASSERT_EQ(
        1, file.read([&](fileRec* f, void* buf) { return storedCC_readWritestoredCCList(f, &read, buf, 1); },
                     false));
    EXPECT_EQ(storedCC_getNextCC(&read, -100), nullptr);

    // Nine records promised, five held: refused, the list untouched.
    std::memcpy(&b[12], &twelve, 4);
    file.setBytes(b);
    file.truncateBody(4 + 5 * 24);
    storedCC_initList(&read);
    EXPECT_EQ(
        0, file.read([&](fileRec* f, void* buf) { return storedCC_readWritestoredCCList(f, &read, buf, 1); },
                     false));
    EXPECT_EQ(storedCC_getRecFromCC(&read, 10)->value, 64);
}

}  // namespace
