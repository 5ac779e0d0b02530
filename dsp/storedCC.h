// Stored controllers: up to nine controller values a preset sends when loaded.
#pragma once
#include <cstddef>
#include <cstdint>

struct fileRec;
struct instRec;

enum { kStoredCC = 9, kStoredCCFree = -10, kStoredCCNameLen = 16 };

#pragma pack(push, 4)
struct storedCCRec {
    int32_t cc;     // -10 free, -1 aftertouch, 0..127
    int32_t value;  // 0..127
    char name[16];
};
static_assert(sizeof(storedCCRec) == 24, "storedCCRec is 24 bytes");

// 320 bytes.
struct storedCCList {
    int32_t count;  // always 9 in memory
    storedCCRec rec[kStoredCC];
    uint8_t unused[100];
};
static_assert(sizeof(storedCCList) == 320, "storedCCList is 320 bytes");
#pragma pack(pop)

// Zeroes the record and marks it free.
void storedCC_init(storedCCRec* rec);
// Count 9, all free, then controllers 1, 7 and 10 with values 0, 127, 64.
void storedCC_initList(storedCCList* list);
// The first record with that controller, or null.
storedCCRec* storedCC_getRecFromCC(storedCCList* list, int cc);
storedCCRec* storedCC_getFreeRec(storedCCList* list);
// Updates the controller's record or takes a free one (a full list ignores
// the call); the name is cleared and copied, 16 characters at most.
void storedCC_addToList(storedCCList* list, int cc, int value, const char* name);
void storedCC_renameInList(storedCCList* list, int cc, const char* name);
// Among the records with after < cc < 128 the one with the smallest cc (the
// first on ties); free records never count. Null when there is none.
storedCCRec* storedCC_getNextCC(storedCCList* list, int after);
// Reinitialises to (the three defaults) and adds every record of from whose
// cc is -1 or more.
void storedCC_copyList(const storedCCList* from, storedCCList* to);
// midi_playCC of every record whose cc is -1 or more, on the instrument's
// channel.
void storedCC_dumpMIDI(instRec* inst);
// Chunk "stCC", version 10: int32 count, then count records (int32 cc, int32
// value, 16 name bytes). Reading clamps the count to 0..9, reads that many
// records, marks the rest free and keeps the list's count at 9.
int storedCC_readWritestoredCCList(fileRec* file, storedCCList* list, void* buffer, int reading);
void storedCC_flip(storedCCRec* rec);
