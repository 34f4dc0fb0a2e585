// The two sums are reduced modulo 65521 once per block short enough that
// they cannot overflow. The SSE2 path adds 16 bytes at a time: the byte sum
// by SAD against zero, the position-weighted sum by multiplying with the
// weights 16..1, and the sum of the running byte sums, which each later
// chunk adds again 16 times. The AVX2 path does the same 32 bytes at a time.
#include "Adler32.h"

#include "../framework/CpuFeatures.h"

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace {
const uint32_t kBase = 65521;
// The most bytes before b could overflow 32 bits (RFC 1950's NMAX).
const size_t kScalarBlock = 5552;

void ScalarBlocks(uint32_t& a, uint32_t& b, const BYTE* data, size_t size)
{
    while (size) {
        const size_t n = size < kScalarBlock ? size : kScalarBlock;
        for (size_t i = 0; i < n; ++i) {
            a += data[i];
            b += a;
        }
        a %= kBase;
        b %= kBase;
        data += n;
        size -= n;
    }
}

#ifdef KESTREL_X86
KESTREL_TARGET_SSE2 inline uint64_t HorizontalSum(__m128i v)
{
    const __m128i pairs = _mm_add_epi32(v, _mm_shuffle_epi32(v, 0x4E));
    return uint64_t(uint32_t(_mm_cvtsi128_si32(_mm_add_epi32(pairs, _mm_shuffle_epi32(pairs, 0xB1)))));
}

// Whole 16-byte chunks; returns the bytes done. Blocks of 5536 bytes keep
// every 32-bit lane far from overflow; the block totals are taken in 64
// bits.
KESTREL_TARGET_SSE2 size_t Sse2Blocks(uint32_t& a, uint32_t& b, const BYTE* data, size_t size)
{
    const size_t kBlock = 5536;
    const __m128i zero = _mm_setzero_si128();
    const __m128i weightsLow = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i weightsHigh = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    size_t done = 0;
    while (size - done >= 16) {
        const size_t n = (size - done < kBlock ? size - done : kBlock) & ~size_t(15);
        __m128i byteSum = zero, byteSums = zero, weighted = zero;
        for (size_t i = 0; i < n; i += 16) {
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + done + i));
            byteSums = _mm_add_epi32(byteSums, byteSum);
            byteSum = _mm_add_epi32(byteSum, _mm_sad_epu8(d, zero));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(d, zero), weightsLow));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(d, zero), weightsHigh));
        }
        const uint64_t bigB = b + uint64_t(a) * n + 16 * HorizontalSum(byteSums) + HorizontalSum(weighted);
        a = uint32_t((a + HorizontalSum(byteSum)) % kBase);
        b = uint32_t(bigB % kBase);
        done += n;
    }
    return done;
}

KESTREL_TARGET_AVX2 inline __m128i FoldHalves(__m256i v)
{
    return _mm_add_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
}

KESTREL_TARGET_AVX2 size_t Avx2Blocks(uint32_t& a, uint32_t& b, const BYTE* data, size_t size)
{
    const size_t kBlock = 5536;
    const __m256i zero = _mm256_setzero_si256();
    const __m256i weights = _mm256_setr_epi8(32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15,
                                             14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
    const __m256i ones = _mm256_set1_epi16(1);
    size_t done = 0;
    while (size - done >= 32) {
        const size_t n = (size - done < kBlock ? size - done : kBlock) & ~size_t(31);
        __m256i byteSum = zero, byteSums = zero, weighted = zero;
        for (size_t i = 0; i < n; i += 32) {
            const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + done + i));
            byteSums = _mm256_add_epi32(byteSums, byteSum);
            byteSum = _mm256_add_epi32(byteSum, _mm256_sad_epu8(d, zero));
            weighted = _mm256_add_epi32(weighted, _mm256_madd_epi16(_mm256_maddubs_epi16(d, weights), ones));
        }
        const uint64_t bigB = b + uint64_t(a) * n + 32 * HorizontalSum(FoldHalves(byteSums)) + HorizontalSum(FoldHalves(weighted));
        a = uint32_t((a + HorizontalSum(FoldHalves(byteSum))) % kBase);
        b = uint32_t(bigB % kBase);
        done += n;
    }
    return done;
}
#endif
}

uint32_t UpdateAdler32(uint32_t adler, const BYTE* data, size_t size)
{
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    size_t done = 0;
#ifdef KESTREL_X86
    const SimdLevel level = ActiveSimdLevel();
    if (level >= SimdLevel::kAvx2) done = Avx2Blocks(a, b, data, size);
    if (level >= SimdLevel::kSse2) done += Sse2Blocks(a, b, data + done, size - done);
#endif
    ScalarBlocks(a, b, data + done, size - done);
    return b << 16 | a;
}
