// YCbCr to RGB through four 256-entry tables. Each table entry is a
// chroma value c mapped to x = 2c - 255 (twice the offset from 127.5), so
// the JFIF factors 1.402, 0.71414, 0.34414 and 1.772 appear halved and
// scaled by 16384: 11485, 5850, 2819, 14516.
#include "JpegColor.h"

namespace {
struct Tables {
    JpegColorTables color;
    BYTE clamp[1024];  // index v + 384 for v in -384..639

    Tables()
    {
        for (int i = 0; i < 256; ++i) {
            int x = 2 * i - 255;
            color.redFromCr[i] = int16_t((x * 11485 + 8192) / 16384);
            color.blueFromCb[i] = int16_t((x * 14516 + 8192) / 16384);
            color.greenFromCr[i] = 8192 - x * 5850;
            color.greenFromCb[i] = -x * 2819;
        }
        for (int v = -384; v < 640; ++v) clamp[v + 384] = BYTE(v < 0 ? 0 : v > 255 ? 255 : v);
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}
}

const JpegColorTables& JpegDecoderColorTables() { return GetTables().color; }

void JpegYCbCrToBgr(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    const Tables& t = GetTables();
    const BYTE* clamp = t.clamp + 384;
    for (int i = 0; i < count; ++i) {
        int luma = y[i];
        int b = cb[i], r = cr[i];
        bgr[0] = clamp[luma + t.color.blueFromCb[b]];
        bgr[1] = clamp[luma + ((t.color.greenFromCb[b] + t.color.greenFromCr[r]) >> 14)];
        bgr[2] = clamp[luma + t.color.redFromCr[r]];
        bgr += 3;
    }
}

void JpegYCbCrHalfToBgr(const BYTE* y, const BYTE* cb, const BYTE* cr, BYTE* bgr, int count)
{
    const Tables& t = GetTables();
    const BYTE* clamp = t.clamp + 384;
    for (int i = 0; i < count; i += 2) {
        int b = cb[i >> 1], r = cr[i >> 1];
        int blue = t.color.blueFromCb[b], red = t.color.redFromCr[r];
        int green = (t.color.greenFromCb[b] + t.color.greenFromCr[r]) >> 14;
        int luma = y[i];
        bgr[0] = clamp[luma + blue];
        bgr[1] = clamp[luma + green];
        bgr[2] = clamp[luma + red];
        if (i + 1 == count) break;
        luma = y[i + 1];
        bgr[3] = clamp[luma + blue];
        bgr[4] = clamp[luma + green];
        bgr[5] = clamp[luma + red];
        bgr += 6;
    }
}
