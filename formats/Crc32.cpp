// Two ways to the same CRC. Tables, eight bytes a step ("slicing by 8").
// With the carry-less multiply, folding (Gopal et al., "Fast CRC
// Computation for Generic Polynomials Using PCLMULQDQ Instruction", Intel,
// 2009): four 16-byte lanes are each multiplied forward by x^512 and the
// next 64 bytes added; at the end the lanes fold into one, which folds to
// 64 bits and is reduced to the 32-bit remainder by Barrett's method. In
// the bit-reflected order zlib uses, the constants are x^k mod P(x) for
// the k the paper gives, reflected, and the Barrett pair is P(x) itself
// and floor(x^64 / P(x)).
#include "Crc32.h"

#include "../framework/CpuFeatures.h"

#include <cstring>

#ifdef KESTREL_X86
#include <emmintrin.h>
#include <wmmintrin.h>
#endif

namespace {
// Table k gives the CRC of a byte followed by k zero bytes.
struct CrcTables {
    uint32_t t[8][256];
    CrcTables()
    {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][n] = c;
        }
        for (uint32_t n = 0; n < 256; ++n)
            for (int k = 1; k < 8; ++k) t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    }
};
const CrcTables kCrc;

// crc is the running register (not inverted at the ends).
uint32_t TableCrc(uint32_t crc, const BYTE* data, size_t size)
{
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint32_t low, high;
        std::memcpy(&low, data + i, 4);  // little-endian, as on x86
        std::memcpy(&high, data + i + 4, 4);
        low ^= crc;
        crc = kCrc.t[7][low & 0xFF] ^ kCrc.t[6][(low >> 8) & 0xFF] ^ kCrc.t[5][(low >> 16) & 0xFF] ^
              kCrc.t[4][low >> 24] ^ kCrc.t[3][high & 0xFF] ^ kCrc.t[2][(high >> 8) & 0xFF] ^
              kCrc.t[1][(high >> 16) & 0xFF] ^ kCrc.t[0][high >> 24];
    }
    for (; i < size; ++i) crc = kCrc.t[0][(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

#ifdef KESTREL_X86
KESTREL_TARGET_PCLMUL inline __m128i Load(const BYTE* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// The lane carried forward past the bytes that follow it: its low 64 bits
// times the low constant plus its high 64 bits times the high one; then
// next, the bytes it was carried to, added.
KESTREL_TARGET_PCLMUL inline __m128i Fold(__m128i lane, __m128i constants, __m128i next)
{
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(lane, constants, 0x00),
                                       _mm_clmulepi64_si128(lane, constants, 0x11)),
                         next);
}

// The register over size bytes, a multiple of 16 and at least 64.
KESTREL_TARGET_PCLMUL uint32_t FoldingCrc(uint32_t crc, const BYTE* data, size_t size)
{
    const __m128i by64 = _mm_set_epi64x(0x1C6E41596, 0x154442BD4);
    const __m128i by16 = _mm_set_epi64x(0x0CCAA009E, 0x1751997D0);
    const __m128i by4 = _mm_set_epi64x(0, 0x163CD6124);
    const __m128i barrett = _mm_set_epi64x(0x1F7011641, 0x1DB710641);
    const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);

    __m128i x1 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(int(crc)));
    __m128i x2 = Load(data + 16), x3 = Load(data + 32), x4 = Load(data + 48);
    data += 64;
    size -= 64;
    for (; size >= 64; data += 64, size -= 64) {
        x1 = Fold(x1, by64, Load(data));
        x2 = Fold(x2, by64, Load(data + 16));
        x3 = Fold(x3, by64, Load(data + 32));
        x4 = Fold(x4, by64, Load(data + 48));
    }
    x1 = Fold(x1, by16, x2);
    x1 = Fold(x1, by16, x3);
    x1 = Fold(x1, by16, x4);
    for (; size >= 16; data += 16, size -= 16) x1 = Fold(x1, by16, Load(data));

    // 128 bits to 64, then to a 32-bit remainder.
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, by16, 0x10));
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 4), _mm_clmulepi64_si128(_mm_and_si128(x1, low32), by4, 0x00));
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), barrett, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
    return uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(_mm_xor_si128(x1, t), 4)));
}
#endif
}

uint32_t UpdateCrc32(uint32_t crc, const BYTE* data, size_t size)
{
    crc = ~crc;
#ifdef KESTREL_X86
    if (size >= 64 && ActiveSimdLevel() >= SimdLevel::kSse2 && HasCarrylessMultiply()) {
        const size_t folded = size & ~size_t(15);
        crc = FoldingCrc(crc, data, folded);
        data += folded;
        size -= folded;
    }
#endif
    return ~TableCrc(crc, data, size);
}
