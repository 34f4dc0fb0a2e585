// Progress of long per-row loops (codecs, image operations). The program
// routes it to the main frame's meter as WM_USER+2 (step, steps); host
// builds and tools leave it unset.
#pragma once

typedef void (*ProgressSink)(int step, int steps);

void SetProgressSink(ProgressSink sink);
// step is zero-based; steps is the total number of steps.
void ReportProgress(int step, int steps);
