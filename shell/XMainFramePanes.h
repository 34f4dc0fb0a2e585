// Texts of the main frame's status panes about the active image. Portable,
// so the native tests check them.
#pragma once

#include "../settings/Options.h"

#include <cstdint>
#include <string>

// Pane 2000: "%dw x %dh".
std::string SizePaneText(int width, int height);
// Pane 2001: "%d-bit, " and "16.8M colors" without a colour table (a
// colour count of 0), "%d colors" otherwise.
std::string ColorsPaneText(int bitCount, unsigned colorCount);
// Pane 2003: "%03d" of the number of open image windows.
std::string CountPaneText(int documents);

// Pane 2002: time text, a blank and date text of stamp (seconds since 1970,
// shown in local time); empty when the stamp cannot be converted.
std::string StampPaneText(const ClockOptions& options, int64_t stamp);
