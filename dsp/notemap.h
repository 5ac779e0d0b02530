// Note maps: a factor 0..1 per note for one destination.
#pragma once
#include <cstddef>
#include <cstdint>

struct fileRec;
struct instRec;

#pragma pack(push, 4)
// 520 bytes.
struct notemapRec {
    int32_t kind;   // 1 oscil amp, 2 fm index/balance, 3 filter freq
    int32_t index;  // channel or filter
    float factor[128];
};
static_assert(sizeof(notemapRec) == 520, "notemapRec is 520 bytes");
#pragma pack(pop)

enum { kDestinations = 10 };
// Maps of one "Ntmp" chunk: a reader takes at most this many.
enum { kNotemapChunkMax = 10 };

void notemap_init(notemapRec* map, int kind, int index);
void notemap_initInst(instRec* inst);
// Kind and index of destination d (0..9): 3 x kind 1, 3 x kind 2, 4 x kind 3.
void dest_kindIndex(int d, int* kind, int* index);
// Destination 0..9 of a kind and index; -1 when the pair names none.
int dest_fromKindIndex(int kind, int index);

// Kind 1..3.
int notemap_isParamOk(int kind);
// Index 0..2 for kinds 1 and 2, 0..3 for kind 3.
int notemap_isChanOk(int kind, int index);
// The instrument's map of a destination, or null when kind and index name
// none (or the instrument is null).
notemapRec* getNoteMap(instRec* inst, int kind, int index);
float* notemap_getData(instRec* inst, int kind, int index);
// 1 when any factor is below 0.9999999.
int notemap_isUsed(const notemapRec* map);
// Number of the instrument's used maps.
short notemap_count(instRec* inst);
// A kind/index pair that names no destination becomes 0/0; every factor is
// copied clamped to 0..1 (a factor that is not a number becomes 1).
void notemap_copy(const notemapRec* from, notemapRec* to);
// Copies the used maps, in destination order, into list (count at most);
// returns how many were copied.
short notemap_storeToPreset(instRec* inst, notemapRec* list, short count);
// Each of the first count maps of list onto the instrument's map of the same
// kind and index (maps naming no destination are skipped).
void notemap_loadToDsp(instRec* inst, const notemapRec* list, short count);

// A preset's maps: a heap list; notemap_newList gives n maps with every
// factor 1.0 and kind/index 0 (null for n < 1 or no memory); free with
// notemap_deleteList.
notemapRec* notemap_newList(short n);
void notemap_deleteList(notemapRec* list);
// Chunk "Ntmp", version 10: int16 count, then for the first min(count, 10)
// maps: int32 kind, int32 index, 128 floats (520 bytes a map).
// Writing stores *list / *count. Reading allocates a new list for the maps
// the chunk holds (a count above 10 is cut to 10, a negative count is 0),
// swaps them when the file has the other byte order, and only then stores
// the list and the count; a short body or a failed allocation returns 0 and
// changes nothing. The caller owns the list it had before.
int notemap_readWriteNotemapList(fileRec* file, notemapRec** list, short* count, void* buffer, int reading);
void notemap_flip(notemapRec* map);
