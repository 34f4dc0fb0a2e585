#include "Progress.h"

namespace {
ProgressSink g_sink = nullptr;
}

void SetProgressSink(ProgressSink sink) { g_sink = sink; }

void ReportProgress(int step, int steps)
{
    if (g_sink) g_sink(step, steps);
}
