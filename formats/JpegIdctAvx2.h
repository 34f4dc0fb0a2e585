// The AVX2 inverse DCT, two blocks per call; JpegIdct's batch uses it when
// ActiveSimdLevel allows.
#pragma once

#include "JpegIdct.h"
#include "../framework/CpuFeatures.h"

#ifdef KESTREL_X86
void JpegInverseDctPairAvx2(const JpegIdctJob& a, const JpegIdctJob& b);
#endif
