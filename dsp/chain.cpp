#include "dsp/chain.h"
#include "platform/verify.h"

void chain_emptyLink(void*, void*, void*, float*, short) {}

void chain_clearLink(chain_link* link)
{
    MORVANE_VERIFY(link);  // the record to fill is always the caller's own
    if (!link) return;
    for (auto& d : link->data) d.offset = 0;
    link->proc = proc_empty;
}

void chain_clearChain(chainRec* chain)
{
    if (!chain) return;
    chain->count = 0;
    chain->nextFree.set(&chain->link[0]);
    for (auto& l : chain->link) chain_clearLink(&l);
}
