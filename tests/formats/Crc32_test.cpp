// CRC-32 on each path against the bit-at-a-time definition (RFC 1952 8),
// over lengths and alignments that reach every fold and every tail.
#include "formats/Crc32.h"

#include "tests/framework/SimdLevels.h"

#include <random>
#include <vector>

namespace {
uint32_t BitwiseCrc(const BYTE* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}
}

TEST(Crc32, EveryPathMatchesTheDefinition)
{
    std::mt19937 random(3);
    std::vector<BYTE> data(3000);
    for (BYTE& b : data) b = BYTE(random());
    const BYTE check[] = "123456789";
    ForEachSimdLevel([&] {
        EXPECT_EQ(UpdateCrc32(0, check, 9), 0xCBF43926u);
        for (size_t size : {0, 1, 15, 16, 63, 64, 65, 80, 127, 128, 129, 200, 1000, 2999}) {
            for (size_t offset : {0, 1, 7}) {
                if (offset + size > data.size()) continue;
                const BYTE* p = data.data() + offset;
                EXPECT_EQ(UpdateCrc32(0, p, size), BitwiseCrc(p, size)) << size << " at " << offset;
                // Continued in two parts, split off the 16-byte grid.
                const size_t split = size / 3;
                EXPECT_EQ(UpdateCrc32(UpdateCrc32(0, p, split), p + split, size - split), BitwiseCrc(p, size));
            }
        }
    });
}
