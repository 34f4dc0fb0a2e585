// What CPUID reports, against the flags the Linux kernel lists for the
// same processor.
#include "framework/CpuFeatures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

TEST(CpuFeatures, DetectionAgreesWithTheKernelsFlags)
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line) && line.compare(0, 5, "flags") != 0) {
    }
    if (line.empty()) GTEST_SKIP() << "no /proc/cpuinfo";
    std::istringstream words(line);
    bool pclmul = false, avx2 = false;
    for (std::string word; words >> word;) {
        pclmul = pclmul || word == "pclmulqdq";
        avx2 = avx2 || word == "avx2";
    }
    EXPECT_EQ(HasCarrylessMultiply(), pclmul);
    EXPECT_EQ(DetectedSimdLevel() == SimdLevel::kAvx2, avx2);
}
