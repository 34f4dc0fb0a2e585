// Fixed-point forward DCT, the mirror of the decoder's inverse transform:
// rows first into the columns of a 16-bit work block, then the rows of
// the work block into the columns of the result. Sums and differences are
// kept as 16-bit values; products use unsigned 32-bit arithmetic so that
// even out-of-range input wraps in a defined way. The scalar strip
// transform is the reference its vector twins (JpegFdctVector) must match.
#include "JpegFdct.h"

#include "JpegBlockCoder.h"
#include "JpegFdctVector.h"

namespace {
inline int32_t Signed(uint32_t v) { return int32_t(v); }

inline int16_t Round17(uint32_t v) { return int16_t(Signed(v + 65536u) >> 17); }

void FdctPass(const int16_t* x, int16_t* y, int outStep)
{
    int32_t s07 = int16_t(x[0] + x[7]), d07 = int16_t(x[0] - x[7]);
    int32_t s16 = int16_t(x[1] + x[6]), d16 = int16_t(x[1] - x[6]);
    int32_t s25 = int16_t(x[2] + x[5]), d25 = int16_t(x[2] - x[5]);
    int32_t s34 = int16_t(x[3] + x[4]), d34 = int16_t(x[3] - x[4]);

    int32_t t0 = int16_t(s07 + s34), t3 = int16_t(s07 - s34);
    int32_t t1 = int16_t(s16 + s25), t2 = int16_t(s16 - s25);

    y[0 * outStep] = Round17(uint32_t(t0 + t1) * 46341u);
    y[4 * outStep] = Round17(uint32_t(t0 - t1) * 46341u);
    y[2 * outStep] = Round17(uint32_t(t3) * 60547u + uint32_t(t2) * 25080u);
    y[6 * outStep] = Round17(uint32_t(t3) * 25080u - uint32_t(t2) * 60547u);

    int32_t z1 = Signed(uint32_t(d16 + d25) * 46341u + 8192u) >> 14;
    int32_t z2 = Signed(uint32_t(d16 - d25) * 46341u + 8192u) >> 14;
    int32_t m0 = int16_t(4 * d07 + z1), m3 = int16_t(4 * d07 - z1);
    int32_t m1 = int16_t(4 * d34 + z2), m2 = int16_t(4 * d34 - z2);

    y[1 * outStep] = Round17(uint32_t(m0) * 16069u + uint32_t(m1) * 3196u);
    y[7 * outStep] = Round17(uint32_t(m0) * 3196u - uint32_t(m1) * 16069u);
    y[5 * outStep] = Round17(uint32_t(m2) * 13623u + uint32_t(m3) * 9102u);
    y[3 * outStep] = Round17(uint32_t(m3) * 13623u - uint32_t(m2) * 9102u);
}
}

void JpegForwardDct(int16_t block[64])
{
    int16_t work[64];
    for (int i = 0; i < 8; ++i) FdctPass(block + 8 * i, work + i, 8);
    for (int k = 0; k < 8; ++k) FdctPass(work + 8 * k, block + k, 8);
}

void JpegTransformStrip(const BYTE* samples, size_t stride, int count, const JpegQuantTable& table,
                        int16_t* coefficients, uint64_t* masks)
{
#ifdef KESTREL_X86
    const SimdLevel level = ActiveSimdLevel();
    if (level == SimdLevel::kAvx2) return JpegTransformStripAvx2(samples, stride, count, table, coefficients, masks);
    if (level == SimdLevel::kSse2) return JpegTransformStripSse2(samples, stride, count, table, coefficients, masks);
#endif
    int16_t block[64];
    for (int j = 0; j < count; ++j, samples += 8, coefficients += 64) {
        for (int i = 0; i < 8; ++i)
            for (int k = 0; k < 8; ++k) block[8 * i + k] = int16_t(samples[size_t(i) * stride + size_t(k)] - 128);
        JpegForwardDct(block);
        masks[j] = JpegQuantizeBlock(block, table, coefficients);
    }
}
