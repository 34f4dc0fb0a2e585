// Progress of long per-row loops (codecs, image operations). At start-up
// the program installs a sink that sends each report to the main frame as
// kMsgProgress (step, steps), which draws the status bar's meter; host
// builds and tools leave it unset, and the reports go nowhere.
#pragma once

typedef void (*ProgressSink)(int step, int steps);

void SetProgressSink(ProgressSink sink);
// step is zero-based; steps is the total number of steps.
void ReportProgress(int step, int steps);
