// A mapped file: ReadAt copies the same bytes the view shows, up to the end
// of the file and no further.
#include "framework/MappedFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

TEST(MappedFile, ReadAtCopiesTheViewsBytes)
{
    const std::string path = ::testing::TempDir() + "kestrel_mapped.bin";
    std::vector<BYTE> bytes(300000);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = BYTE(i * 7 + i / 256);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);

    MappedFile mapped;
    ASSERT_TRUE(mapped.Open(path.c_str()));
    ASSERT_EQ(mapped.Size(), bytes.size());
    std::vector<BYTE> out(bytes.size());
    for (size_t at : {size_t(0), size_t(4095), size_t(131072)}) {
        const size_t count = bytes.size() - at;
        ASSERT_TRUE(mapped.ReadAt(at, out.data(), count)) << at;
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + long(count), mapped.Data() + at)) << at;
    }
    EXPECT_TRUE(mapped.ReadAt(bytes.size(), out.data(), 0));
    EXPECT_FALSE(mapped.ReadAt(bytes.size() - 1, out.data(), 2));
    EXPECT_FALSE(mapped.ReadAt(bytes.size() + 1, out.data(), 0));
    mapped.Close();
    EXPECT_FALSE(mapped.ReadAt(0, out.data(), 1));
    std::remove(path.c_str());
}
