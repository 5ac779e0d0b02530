#include "dsp/chain.h"

void chain_emptyLink(void*, void*, void*, float*, short) {}

void chain_clearLink(chain_link* link)
{
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
