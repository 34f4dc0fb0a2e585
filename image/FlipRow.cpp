// Row mirroring on each vector path. Every loop reads its source forwards,
// which the hardware prefetches best, and the vector loops leave the last
// few pixels to the scalar ones.
#include "FlipRow.h"

#include "PixelRow.h"

#include "../framework/CpuFeatures.h"

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace {
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixels are read from little-endian words");

uint64_t Load64(const BYTE* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void Store64(BYTE* p, uint64_t v) { std::memcpy(p, &v, 8); }

uint64_t ReverseBytes(uint64_t v)
{
    v = (v & 0x00FF00FF00FF00FFull) << 8 | (v >> 8 & 0x00FF00FF00FF00FFull);
    v = (v & 0x0000FFFF0000FFFFull) << 16 | (v >> 16 & 0x0000FFFF0000FFFFull);
    return v << 32 | v >> 32;
}

// Pixels x onwards; the vector loops finish with these.
void FlipBytesFrom(const BYTE* in, BYTE* out, int32_t width, int32_t x)
{
    for (; x + 8 <= width; x += 8) Store64(out + width - x - 8, ReverseBytes(Load64(in + x)));
    for (; x < width; ++x) out[width - 1 - x] = in[x];
}

// Four pixels (12 bytes) at a time, read and written as two overlapping
// words: source pixels p0 p1 p2 p3 become p3 p2 p1 p0. The shifts take the
// first byte in memory as the lowest byte of a word.
void FlipTrueColorFrom(const BYTE* in, BYTE* out, int32_t width, int32_t x)
{
    for (; x + 4 <= width; x += 4) {
        const uint64_t low = Load64(in + size_t(x) * 3), high = Load64(in + size_t(x) * 3 + 4);
        const uint64_t p0 = low & 0xFFFFFF, p1 = low >> 24 & 0xFFFFFF, p2 = high >> 16 & 0xFFFFFF, p3 = high >> 40;
        BYTE* to = out + size_t(width - x - 4) * 3;
        Store64(to, p3 | p2 << 24 | p1 << 48);
        Store64(to + 4, p2 >> 8 | p1 << 16 | p0 << 40);
    }
    for (; x < width; ++x) std::memcpy(out + size_t(width - 1 - x) * 3, in + size_t(x) * 3, 3);
}

void FlipBytes(const BYTE* in, BYTE* out, int32_t width) { FlipBytesFrom(in, out, width, 0); }

void FlipTrueColor(const BYTE* in, BYTE* out, int32_t width) { FlipTrueColorFrom(in, out, width, 0); }

template <int bitCount>
void FlipPacked(const BYTE* in, BYTE* out, int32_t width)
{
    for (int32_t x = 0; x < width; ++x) SetPixelIndex(out, x, bitCount, PixelIndex(in, width - 1 - x, bitCount));
}

#ifdef KESTREL_X86
// The 16 bytes of v in reverse order.
KESTREL_TARGET_SSE2 inline __m128i ReverseBytes(__m128i v)
{
    v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
    v = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0x1B), 0x1B);
    return _mm_shuffle_epi32(v, 0x4E);
}

KESTREL_TARGET_SSE2 void FlipBytesSse2(const BYTE* in, BYTE* out, int32_t width)
{
    int32_t x = 0;
    for (; x + 16 <= width; x += 16)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + width - x - 16),
                         ReverseBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x))));
    FlipBytesFrom(in, out, width, x);
}

// Sixteen pixels (48 bytes) at a time. With the 48 bytes reversed as R,
// result byte j is R[j + 2], R[j] or R[j - 2] as j % 3 is 0, 1 or 2: the
// pixels are in place, each with its bytes reversed.
KESTREL_TARGET_SSE2 void FlipTrueColorSse2(const BYTE* in, BYTE* out, int32_t width)
{
    alignas(16) BYTE phases[3][3][16];  // [register][j % 3][byte]
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 16; ++i) phases[k][c][i] = (16 * k + i) % 3 == c ? 0xFF : 0;
    __m128i mask[3][3];
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 3; ++c) mask[k][c] = _mm_load_si128(reinterpret_cast<const __m128i*>(phases[k][c]));
    int32_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const BYTE* from = in + size_t(x) * 3;
        __m128i r[3];
        for (int k = 0; k < 3; ++k)
            r[k] = ReverseBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 32 - 16 * k)));
        BYTE* to = out + size_t(width - x - 16) * 3;
        for (int k = 0; k < 3; ++k) {
            // R[j + 2] and R[j - 2]; the bytes past either end are never selected.
            __m128i ahead = _mm_srli_si128(r[k], 2), behind = _mm_slli_si128(r[k], 2);
            if (k < 2) ahead = _mm_or_si128(ahead, _mm_slli_si128(r[k + 1], 14));
            if (k > 0) behind = _mm_or_si128(behind, _mm_srli_si128(r[k - 1], 14));
            const __m128i pixels = _mm_or_si128(_mm_or_si128(_mm_and_si128(ahead, mask[k][0]), _mm_and_si128(r[k], mask[k][1])),
                                                _mm_and_si128(behind, mask[k][2]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16 * k), pixels);
        }
    }
    FlipTrueColorFrom(in, out, width, x);
}

KESTREL_TARGET_AVX2 void FlipBytesAvx2(const BYTE* in, BYTE* out, int32_t width)
{
    const __m256i reverseLanes = _mm256_setr_epi8(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,
                                                  15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    int32_t x = 0;
    for (; x + 32 <= width; x += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + width - x - 32),
                            _mm256_permute4x64_epi64(_mm256_shuffle_epi8(v, reverseLanes), 0x4E));
    }
    FlipBytesFrom(in, out, width, x);
}

KESTREL_TARGET_AVX2 inline __m128i Load16(const BYTE* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Sixteen pixels (48 bytes) at a time: each 16 bytes of the result gathered
// by byte shuffles from two overlapping loads of the source's 48.
KESTREL_TARGET_AVX2 void FlipTrueColorAvx2(const BYTE* in, BYTE* out, int32_t width)
{
    // Result bytes 0-15 come from source bytes 16-47, 16-31 from 15-46,
    // 32-47 from 0-31; -1 leaves a byte to the other load of the pair.
    const __m128i first16 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 14);
    const __m128i first32 = _mm_setr_epi8(13, 14, 15, 10, 11, 12, 7, 8, 9, 4, 5, 6, 1, 2, 3, -1);
    const __m128i second15 = _mm_setr_epi8(-1, -1, 12, 13, 14, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1);
    const __m128i second31 = _mm_setr_epi8(0, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i third0 = _mm_setr_epi8(-1, 12, 13, 14, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2);
    const __m128i third16 = _mm_setr_epi8(1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    int32_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const BYTE* from = in + size_t(x) * 3;
        const __m128i at0 = Load16(from), at15 = Load16(from + 15), at16 = Load16(from + 16),
                      at31 = Load16(from + 31), at32 = Load16(from + 32);
        __m128i* to = reinterpret_cast<__m128i*>(out + size_t(width - x - 16) * 3);
        _mm_storeu_si128(to, _mm_or_si128(_mm_shuffle_epi8(at16, first16), _mm_shuffle_epi8(at32, first32)));
        _mm_storeu_si128(to + 1, _mm_or_si128(_mm_shuffle_epi8(at15, second15), _mm_shuffle_epi8(at31, second31)));
        _mm_storeu_si128(to + 2, _mm_or_si128(_mm_shuffle_epi8(at0, third0), _mm_shuffle_epi8(at16, third16)));
    }
    FlipTrueColorFrom(in, out, width, x);
}
#endif
}

FlipRowFunction FlipRowFor(int bitCount)
{
#ifdef KESTREL_X86
    const SimdLevel level = ActiveSimdLevel();
    if (level >= SimdLevel::kAvx2 && bitCount >= 8) return bitCount == 8 ? FlipBytesAvx2 : FlipTrueColorAvx2;
    if (level >= SimdLevel::kSse2 && bitCount >= 8) return bitCount == 8 ? FlipBytesSse2 : FlipTrueColorSse2;
#endif
    switch (bitCount) {
    case 1: return FlipPacked<1>;
    case 4: return FlipPacked<4>;
    case 8: return FlipBytes;
    default: return FlipTrueColor;
    }
}
