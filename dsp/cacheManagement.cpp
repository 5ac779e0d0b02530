#include "dsp/cacheManagement.h"

cache_prefetchProc cache_prefetch = noPrefetch;
cache_prefetchProc cache_prefetchL1 = noPrefetch;
cache_prefetchProc cache_prefetchL2 = noPrefetch;
cache_prefetchProc cache_prefetchL3 = noPrefetch;

void noPrefetch(const void*) {}

void cacheManagement_init()
{
    cache_prefetch = noPrefetch;
    cache_prefetchL1 = noPrefetch;
    cache_prefetchL2 = noPrefetch;
    cache_prefetchL3 = noPrefetch;
}
