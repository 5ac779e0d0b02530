// Flushing of zero and subnormal floats, so that none reaches the audio code.
#pragma once

// Every float whose exponent bits are all zero (zero or subnormal) becomes
// +0.0; a count below 1 does nothing.
void thisBufferWantsToBeNormal(float* values, short count);
// The same for one value; returns the flushed value.
float denormal_flush(float value);
