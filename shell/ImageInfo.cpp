// Image Info texts. Memory Used counts whole kilobytes plus one, so 1024
// bytes of pixels show "2KB"; a 24-bit image has no colour table and shows
// "16.8M" colours.
#include "ImageInfo.h"

ImageInfoTexts MakeImageInfoTexts(const ImageFacts& facts, const ClockFormat& format)
{
    ImageInfoTexts texts;
    texts.filename = facts.documentTitle;
    texts.width = std::to_string(facts.width);
    texts.height = std::to_string(facts.height);
    texts.bitsPerPixel = std::to_string(facts.bitCount);
    texts.maximumColors = facts.bitCount == 24 ? "16.8M" : std::to_string(facts.colorCount);
    texts.memoryUsed = std::to_string(facts.bitsSize / 1024 + 1) + "KB";
    texts.lastChange = facts.originId != 0 ? facts.documentTitle : "Original";
    ClockTexts stamp = FormatLocalTimeAndDate(format, facts.stamp);
    texts.time = stamp.time;
    texts.date = stamp.date;
    return texts;
}
