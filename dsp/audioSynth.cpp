#include "dsp/audioSynth.h"

#include "dsp/filter.h"
#include "iac/MorvaneIAC.h"

namespace {
void recomputeMicroscale()
{
    if (bufferSize > 0) bufferMicroscale = SR / bufferSize * 1e-6 * 1.02;
}
}  // namespace

void audio_setSR(float sr)
{
    SR = sr;
    SRRatioUp = 44100.0f / sr;
    SRRatioDown = sr / 44100.0f;
    SRFilterOffset = (float)(filterFreqToIndex(100.0) - filterFreqToIndex(100.0 * SRRatioUp));
    recomputeMicroscale();
}

void audio_setInternalBufferSize(long n)
{
    if (n == 0 || n == bufferSize) return;
    if (n < 32) n = 32;
    // The shared word is a short: larger sizes are limited, never wrapped.
    if (n > 32767) n = 32767;
    bufferSize = (short)n;
    recomputeMicroscale();
    if (vectorSize > bufferSize) audio_setVectorSize(bufferSize);
}

void audio_setVectorSize(long n)
{
    if (n > bufferSize) n = bufferSize;
    vectorSize = (short)n;
    vectorSizef = vectorSize / 44100.0f;
}
