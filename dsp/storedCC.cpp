#include "dsp/storedCC.h"

#include <cstring>

#include "dsp/fixedText.h"

void storedCC_init(storedCCRec* rec) {
    if (!rec) return;
    std::memset(rec, 0, sizeof *rec);
    rec->cc = kStoredCCFree;
}

storedCCRec* storedCC_getRecFromCC(storedCCList* list, int cc) {
    if (!list) return nullptr;
    for (auto& r : list->rec)
        if (r.cc == cc) return &r;
    return nullptr;
}

storedCCRec* storedCC_getFreeRec(storedCCList* list) { return storedCC_getRecFromCC(list, kStoredCCFree); }

void storedCC_addToList(storedCCList* list, int cc, int value, const char* name) {
    if (!list) return;
    storedCCRec* r = storedCC_getRecFromCC(list, cc);
    if (!r) r = storedCC_getFreeRec(list);
    if (!r) return;
    r->cc = cc;
    r->value = value;
    fixedText_set(r->name, sizeof r->name, name);
}

void storedCC_initList(storedCCList* list) {
    if (!list) return;
    std::memset(list, 0, sizeof *list);
    list->count = kStoredCC;
    for (auto& r : list->rec) storedCC_init(&r);
    storedCC_addToList(list, 1, 0, "");
    storedCC_addToList(list, 7, 127, "");
    storedCC_addToList(list, 10, 64, "");
}
