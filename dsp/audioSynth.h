// Engine-wide audio settings, shared with the plug-in side through the link.
#pragma once

void audio_setSR(float sr);
void audio_setVectorSize(long n);
void audio_setInternalBufferSize(long n);
