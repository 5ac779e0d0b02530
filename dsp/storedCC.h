// Stored controllers: up to nine controller values a preset sends when loaded.
#pragma once
#include <cstddef>
#include <cstdint>

struct instRec;

enum { kStoredCC = 9, kStoredCCFree = -10 };

#pragma pack(push, 4)
struct storedCCRec {
    int32_t cc;        // -10 free, -1 aftertouch, 0..127
    int32_t value;     // 0..127
    char name[16];
};
static_assert(sizeof(storedCCRec) == 24, "storedCCRec is 24 bytes");

// 320 bytes.
struct storedCCList {
    int32_t count;     // always 9 in memory
    storedCCRec rec[kStoredCC];
    uint8_t unused[100];
};
static_assert(sizeof(storedCCList) == 320, "storedCCList is 320 bytes");
#pragma pack(pop)

void storedCC_init(storedCCRec* rec);
void storedCC_initList(storedCCList* list);
storedCCRec* storedCC_getRecFromCC(storedCCList* list, int cc);
storedCCRec* storedCC_getFreeRec(storedCCList* list);
void storedCC_addToList(storedCCList* list, int cc, int value, const char* name);
