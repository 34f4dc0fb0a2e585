// Status pane texts.
#include "XMainFramePanes.h"

#include "ClockFormat.h"

#include <cstdio>

std::string SizePaneText(int width, int height)
{
    char text[64];
    std::snprintf(text, sizeof text, "%dw x %dh", width, height);
    return text;
}

std::string ColorsPaneText(int bitCount, unsigned colorCount)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d-bit, ", bitCount);
    std::string result = text;
    if (colorCount == 0) return result + "16.8M colors";
    std::snprintf(text, sizeof text, "%u colors", colorCount);
    return result + text;
}

std::string CountPaneText(int documents)
{
    char text[32];
    std::snprintf(text, sizeof text, "%03d", documents);
    return text;
}

std::string StampPaneText(const ClockOptions& options, int64_t stamp)
{
    ClockTexts texts = FormatLocalTimeAndDate(ClockFormatOf(options), stamp);
    if (texts.time.empty()) return std::string();
    return texts.time + " " + texts.date;
}
