// Runs a check once on each vector path this processor has, scalar first,
// so that every path is held to the same expected output.
#pragma once

#include "framework/CpuFeatures.h"

#include <gtest/gtest.h>

template <class Check>
void ForEachSimdLevel(Check check)
{
    for (int level = 0; level <= int(DetectedSimdLevel()); ++level) {
        ForceSimdLevel(SimdLevel(level));
        SCOPED_TRACE(SimdLevelName(SimdLevel(level)));
        check();
    }
    ForceSimdLevel(SimdLevel::kAvx2);
}
