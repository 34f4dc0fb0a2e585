// The vector twins of the encoder's colour conversion (JpegEncoderColor),
// bit-exact to the scalar loop, which also finishes the rows' last pixels.
#pragma once

#include "../framework/CpuFeatures.h"
#include "../framework/kernel.h"

void JpegBgrRowsToYccScalar(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop, BYTE* yBottom, BYTE* cb,
                            BYTE* cr);

#ifdef KESTREL_X86
void JpegBgrRowsToYccSse2(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop, BYTE* yBottom, BYTE* cb,
                          BYTE* cr);
void JpegBgrRowsToYccAvx2(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop, BYTE* yBottom, BYTE* cb,
                          BYTE* cr);
#endif
