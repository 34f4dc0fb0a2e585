#include "CpuFeatures.h"

#include <atomic>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {
SimdLevel Detect()
{
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return SimdLevel::kScalar;
    if (!(edx & bit_SSE2)) return SimdLevel::kScalar;
    // AVX2 also needs the system to save the YMM registers (OSXSAVE, XCR0).
    const bool osSavesYmm = [&] {
        if (!(ecx & bit_OSXSAVE) || !(ecx & bit_AVX)) return false;
        unsigned xcr0Low = 0, xcr0High = 0;
        __asm__("xgetbv" : "=a"(xcr0Low), "=d"(xcr0High) : "c"(0));
        return (xcr0Low & 6) == 6;
    }();
    unsigned leaf7b = 0, unused = 0;
    if (osSavesYmm && __get_cpuid_count(7, 0, &unused, &leaf7b, &unused, &unused) && (leaf7b & bit_AVX2))
        return SimdLevel::kAvx2;
    return SimdLevel::kSse2;
#else
    return SimdLevel::kScalar;
#endif
}

std::atomic<int> forcedLimit{int(SimdLevel::kAvx2)};
}

SimdLevel DetectedSimdLevel()
{
    static const SimdLevel detected = Detect();
    return detected;
}

SimdLevel ActiveSimdLevel()
{
    const int limit = forcedLimit.load(std::memory_order_relaxed);
    const SimdLevel detected = DetectedSimdLevel();
    return int(detected) < limit ? detected : SimdLevel(limit);
}

void ForceSimdLevel(SimdLevel level)
{
    forcedLimit.store(int(level), std::memory_order_relaxed);
}

bool HasCarrylessMultiply()
{
#if defined(__i386__) || defined(__x86_64__)
    static const bool has = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (ecx & bit_PCLMUL);
    }();
    return has;
#else
    return false;
#endif
}

const char* SimdLevelName(SimdLevel level)
{
    switch (level) {
    case SimdLevel::kScalar: return "scalar";
    case SimdLevel::kSse2: return "SSE2";
    case SimdLevel::kAvx2: return "AVX2";
    }
    return "?";
}
