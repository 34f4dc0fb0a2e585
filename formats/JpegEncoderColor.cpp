// The scalar conversion, the reference of its vector twins, and the choice
// of path.
#include "JpegEncoderColor.h"

#include "JpegColor.h"
#include "JpegEncoderColorVector.h"

void JpegBgrRowsToYccScalar(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop, BYTE* yBottom, BYTE* cb,
                            BYTE* cr)
{
    for (int j = 0; j < pairs; ++j) {
        int sumCb = 2, sumCr = 2;
        for (int k = 0; k < 2; ++k) {
            const BYTE* p = top + 3 * (2 * j + k);
            const BYTE* q = bottom + 3 * (2 * j + k);
            yTop[2 * j + k] = JpegLuma(p[2], p[1], p[0]);
            yBottom[2 * j + k] = JpegLuma(q[2], q[1], q[0]);
            sumCb += JpegBlueChroma(p[2], p[1], p[0]) + JpegBlueChroma(q[2], q[1], q[0]);
            sumCr += JpegRedChroma(p[2], p[1], p[0]) + JpegRedChroma(q[2], q[1], q[0]);
        }
        cb[j] = BYTE(sumCb >> 2);
        cr[j] = BYTE(sumCr >> 2);
    }
}

void JpegBgrRowsToYcc(const BYTE* top, const BYTE* bottom, int pairs, BYTE* yTop, BYTE* yBottom, BYTE* cb, BYTE* cr)
{
#ifdef KESTREL_X86
    const SimdLevel level = ActiveSimdLevel();
    if (level == SimdLevel::kAvx2) return JpegBgrRowsToYccAvx2(top, bottom, pairs, yTop, yBottom, cb, cr);
    if (level == SimdLevel::kSse2) return JpegBgrRowsToYccSse2(top, bottom, pairs, yTop, yBottom, cb, cr);
#endif
    JpegBgrRowsToYccScalar(top, bottom, pairs, yTop, yBottom, cb, cr);
}
