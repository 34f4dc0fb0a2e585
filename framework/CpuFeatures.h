// Which vector instructions the processor offers, read once with CPUID, so
// that one build runs its fastest path everywhere. Each vectorised loop
// keeps a scalar twin with the same output bit for bit; tests and
// benchmarks step down to a lower path with ForceSimdLevel to compare them.
#pragma once

enum class SimdLevel { kScalar, kSse2, kAvx2 };

// What the processor and the system support.
SimdLevel DetectedSimdLevel();

// The path to take: the detected level, or a lower one forced for a test.
SimdLevel ActiveSimdLevel();

// Takes at most `level` from now on (never more than detected).
void ForceSimdLevel(SimdLevel level);

const char* SimdLevelName(SimdLevel level);

// Whether the processor has the carry-less multiply (PCLMULQDQ). Paths
// that use it go with the SSE2 level: forcing the scalar level turns them
// off as well.
bool HasCarrylessMultiply();

// A vectorised function is compiled for its level whatever the build's
// baseline (the Windows build assumes a plain i686) and only called after
// ActiveSimdLevel allows it.
#if defined(__i386__) || defined(__x86_64__)
#define KESTREL_X86 1
#define KESTREL_TARGET_SSE2 __attribute__((target("sse2")))
#define KESTREL_TARGET_AVX2 __attribute__((target("avx2")))
#define KESTREL_TARGET_PCLMUL __attribute__((target("sse2,pclmul")))
#endif
