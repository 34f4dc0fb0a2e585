// Fixed-point inverse DCT: rows first, each 1-D result written into a
// column of a 16-bit work block, then the rows of the work block, written
// into columns of the output. The constants are 2^16 cos(pi/4),
// 2^16 cos(pi/8), 2^16 sin(pi/8) and 2^14 cos/sin of pi/16 and 3pi/16.
//
// Products are formed in unsigned 32-bit arithmetic: for any coefficient
// values (a hostile file can give any 16-bit value) the wrap-around is
// defined, and the result equals that of the 32-bit two's-complement
// products of the reference arithmetic. Right shifts are arithmetic.
#include "JpegIdct.h"

#include <cstring>

namespace {
inline int32_t Signed(uint32_t v) { return int32_t(v); }

inline BYTE ClampSample(int v)
{
    v += 128;
    if (unsigned(v) > 255) v = v < 0 ? 0 : 255;
    return BYTE(v);
}

inline int16_t DcOnlyPass(int32_t x0)
{
    return int16_t(Signed(uint32_t(x0) * 46341u + 65536u) >> 17);
}

// One 1-D pass over x[0..7] (spaced by step) into y[0..7] (spaced by outStep).
inline void IdctPass(const int16_t* x, int16_t* y, int outStep)
{
    int32_t x0 = x[0], x1 = x[1], x2 = x[2], x3 = x[3], x4 = x[4], x5 = x[5], x6 = x[6], x7 = x[7];

    uint32_t e0 = uint32_t(x0 + x4) * 46341u;
    uint32_t e1 = uint32_t(x0 - x4) * 46341u;
    uint32_t s = uint32_t(x2) * 60547u + uint32_t(x6) * 25080u;
    uint32_t d = uint32_t(x2) * 25080u - uint32_t(x6) * 60547u;
    uint32_t a0 = e0 + s, a3 = e0 - s, a1 = e1 + d, a2 = e1 - d;

    int32_t p = Signed(uint32_t(x3 - x5) * 46341u + 8192u) >> 14;
    int32_t q = Signed(uint32_t(x3 + x5) * 46341u + 8192u) >> 14;
    int32_t t = int16_t(4 * x1 + q);
    int32_t r = int16_t(4 * x1 - q);
    int32_t w = int16_t(4 * x7 + p);
    int32_t u = int16_t(4 * x7 - p);
    uint32_t b0 = uint32_t(t) * 16069u + uint32_t(w) * 3196u;
    uint32_t b3 = uint32_t(t) * 3196u - uint32_t(w) * 16069u;
    uint32_t b1 = uint32_t(r) * 13623u - uint32_t(u) * 9102u;
    uint32_t b2 = uint32_t(u) * 13623u + uint32_t(r) * 9102u;

    y[0 * outStep] = int16_t(Signed(a0 + b0 + 65536u) >> 17);
    y[7 * outStep] = int16_t(Signed(a0 - b0 + 65536u) >> 17);
    y[1 * outStep] = int16_t(Signed(a1 + b1 + 65536u) >> 17);
    y[6 * outStep] = int16_t(Signed(a1 - b1 + 65536u) >> 17);
    y[2 * outStep] = int16_t(Signed(a2 + b2 + 65536u) >> 17);
    y[5 * outStep] = int16_t(Signed(a2 - b2 + 65536u) >> 17);
    y[3 * outStep] = int16_t(Signed(a3 + b3 + 65536u) >> 17);
    y[4 * outStep] = int16_t(Signed(a3 - b3 + 65536u) >> 17);
}

// True when x[1..7] are all zero.
inline bool OnlyFirstSet(const int16_t* x)
{
    return (x[1] | x[2] | x[3] | x[4] | x[5] | x[6] | x[7]) == 0;
}
}

void JpegInverseDct(int16_t block[64], BYTE* out, ptrdiff_t stride)
{
    int16_t work[64];
    // Rows of the input into columns of the work block.
    for (int i = 0; i < 8; ++i) {
        const int16_t* row = block + 8 * i;
        if (OnlyFirstSet(row)) {
            int16_t v = DcOnlyPass(row[0]);
            for (int k = 0; k < 8; ++k) work[8 * k + i] = v;
        } else {
            IdctPass(row, work + i, 8);
        }
    }
    // Rows of the work block into columns of the output (row m, column k).
    int16_t column[8];
    for (int k = 0; k < 8; ++k) {
        const int16_t* row = work + 8 * k;
        if (OnlyFirstSet(row)) {
            BYTE v = ClampSample(DcOnlyPass(row[0]));
            for (int m = 0; m < 8; ++m) out[m * stride + k] = v;
        } else {
            IdctPass(row, column, 1);
            for (int m = 0; m < 8; ++m) out[m * stride + k] = ClampSample(column[m]);
        }
    }
}

void JpegInverseDctDcOnly(int16_t dc, BYTE* out, ptrdiff_t stride)
{
    BYTE v = ClampSample(DcOnlyPass(DcOnlyPass(dc)));
    for (int m = 0; m < 8; ++m) std::memset(out + m * stride, v, 8);
}
