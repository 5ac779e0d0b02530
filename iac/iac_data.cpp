// The exported data of the link, bound into the shared segment, and the
// address helpers: segment offsets, instance records and effect pools.
#include <cstring>

#include "iac/iac_segment.h"

using namespace iac_internal;

int (&iac_plugIsOnline)[IAC_INSTANCES] = exported()->plugIsOnline;
iac_changedRec (&iac_changed)[IAC_INSTANCES] = exported()->changed;
iac_bankInfo (&iac_lastBanks)[IAC_LAST_BANKS] = exported()->lastBanks;
char (&iac_bankFilePath)[IAC_PATH_BYTES] = exported()->bankFilePath;
char (&iac_bankName)[IAC_BANK_NAME_BYTES] = exported()->bankName;
int& iac_morvaneIsOnline = exported()->morvaneIsOnline;
int32_t& iac_appVersion = exported()->appVersion;
int32_t& iac_plugVersion = exported()->plugVersion;
int32_t& editInstance = exported()->editInstance;

float& SR = exported()->SR;
float& SR_user = exported()->SR_user;
int16_t& bufferSize = exported()->bufferSize;
int16_t& bufferSizeUser = exported()->bufferSizeUser;
int16_t& vectorSize = exported()->vectorSize;
int16_t& vectorSizeUser = exported()->vectorSizeUser;
float& vectorSizef = exported()->vectorSizef;
double& bufferMicroscale = exported()->bufferMicroscale;
float& SRRatioUp = exported()->SRRatioUp;
float& SRRatioDown = exported()->SRRatioDown;
float& SRFilterOffset = exported()->SRFilterOffset;

tuneRec* const tune_list = reinterpret_cast<tuneRec*>(base() + kTuneOffset);
float& gFloatOne = exported()->gFloatOne;
float& envDefaultOut = exported()->envDefaultOut;
int32_t& g_effect_useMaxBuf = exported()->g_effect_useMaxBuf;

void* iac_offsetToPtr(iac_offset offset)
{
    if (offset == 0 || offset >= kTotalBytes) return nullptr;
    return base() + offset;
}

iac_offset iac_ptrToOffset(const void* ptr)
{
    const auto* p = static_cast<const unsigned char*>(ptr);
    const unsigned char* b = base();
    if (p < b || p >= b + kTotalBytes) return 0;
    return iac_offset(p - b);
}

uint32_t iac_segmentBytes(void) { return kTotalBytes; }

instRec* iac_getInst(int i) { return reinterpret_cast<instRec*>(instBytes(validInstance(i) ? i : 0)); }

float* iac_getEffectPool(int instance)
{
    const uint32_t i = validInstance(instance) ? uint32_t(instance) : 0u;
    return reinterpret_cast<float*>(base() + kPoolOffset + i * kPoolBytes);
}

namespace iac_internal {

void copyTerminated(char* dst, size_t dstBytes, const char* src, size_t maxChars)
{
    if (dstBytes == 0) return;
    size_t n = 0;
    if (src) {
        const size_t limit = maxChars < dstBytes - 1 ? maxChars : dstBytes - 1;
        while (n < limit && src[n] != '\0') ++n;
        std::memcpy(dst, src, n);
    }
    std::memset(dst + n, 0, dstBytes - n);
}

}  // namespace iac_internal
