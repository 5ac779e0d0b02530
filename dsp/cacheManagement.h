// Prefetch hooks of the engine; on this platform they all do nothing.
#pragma once

typedef void (*cache_prefetchProc)(const void* address);
extern cache_prefetchProc cache_prefetch;
extern cache_prefetchProc cache_prefetchL1;
extern cache_prefetchProc cache_prefetchL2;
extern cache_prefetchProc cache_prefetchL3;

void noPrefetch(const void* address);
void cacheManagement_init();
