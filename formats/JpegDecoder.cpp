// Entropy decoding, inverse DCT, upsampling and colour conversion of the
// one scan of a baseline file (ITU T.81 F.2).
#include "JpegDecoder.h"

#include "JpegColor.h"
#include "JpegIdct.h"
#include "JpegTables.h"
#include "../framework/Progress.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// Where one block of an MCU comes from and goes to.
struct BlockSlot {
    const JpegHuffmanTable* dc;
    const JpegHuffmanTable* ac;
    const uint16_t* quant;
    int component;
    size_t offset;  // in the component's plane, for the row's first MCU
    size_t step;    // plane bytes from one MCU to the next
};

// Decodes one block's coefficients (ITU T.81 F.2.2) and dequantises them
// into natural order in a zeroed block. Returns false when only the DC
// value is non-zero. The common codes decode from the caller's copy of the
// bits in hand, which stays in registers; the reader itself is called only
// for the rare long codes and refills near a marker.
inline __attribute__((always_inline)) bool DecodeBlock(JpegBitReader& reader, JpegBits& bits,
                                                       const BlockSlot& slot, int16_t& predictor,
                                                       int16_t block[64])
{
    const int lookahead = JpegHuffmanTable::kLookaheadBits;
    const JpegHuffmanTable& dc = *slot.dc;
    const JpegHuffmanTable& ac = *slot.ac;
    const uint16_t* quant = slot.quant;
    auto peek = [&] {
        if (bits.count < 17) reader.Refill(bits);
        return uint32_t(bits.top >> (64 - lookahead));
    };
    auto skip = [&](int n) {
        bits.top <<= n;
        bits.count -= n;
    };

    const int fastDc = dc.m_fastDc[peek()];
    int difference;
    if (fastDc) {
        skip(fastDc & 15);
        difference = fastDc >> 8;
    } else {
        reader.Put(bits);
        difference = reader.ReceiveExtend(reader.DecodeValue(dc));
        bits = reader.Take();
    }
    predictor = int16_t(predictor + difference);
    block[0] = int16_t(uint32_t(predictor) * quant[0]);

    bool anyAc = false;
    for (int k = 1; k < 64;) {
        const uint32_t prefix = peek();
        const int32_t fast = ac.m_fastAc[prefix];
        if (fast) {
            skip(fast & 15);
            k += (fast >> 4) & 0xFF;
            if (k > 63) break;
            block[kJpegZigzag[k]] = int16_t(uint32_t(fast >> 16) * quant[k]);
            anyAc = true;
            ++k;
            continue;
        }
        // A code within the lookahead whose extra bits reach past it, or
        // (through the reader) a longer code.
        int rs;
        const uint32_t entry = ac.m_lookahead[prefix];
        if (entry) {
            skip(int(entry >> 8));
            rs = int(entry & 0xFF);
        } else {
            reader.Put(bits);
            rs = reader.DecodeValue(ac);
            bits = reader.Take();
        }
        const int r = rs >> 4, s = rs & 15;
        if (s) {
            // The extra bits extended to a signed value (F.2.2.1).
            if (bits.count < s) reader.Refill(bits);
            int value = int(bits.top >> (64 - s));
            skip(s);
            if (value < (1 << (s - 1))) value += 1 - (1 << s);
            k += r;
            if (k > 63) break;  // a run past the block ends it
            block[kJpegZigzag[k]] = int16_t(uint32_t(value) * quant[k]);
            anyAc = true;
            ++k;
        } else if (r == 15) {
            k += 16;
        } else {
            break;
        }
    }
    return anyAc;
}

// Decodes the blocks of one MCU into zeroed blocks[0, count); bit i of the
// result is set when block i has a non-zero AC coefficient. Out of line,
// the loop has the registers to itself rather than sharing them with the
// MCU loop's state, and the bits in hand stay in registers from block to
// block.
__attribute__((noinline)) unsigned DecodeMcu(JpegBitReader& reader, const BlockSlot* slots, int count,
                                             int16_t predictors[4], int16_t (*blocks)[64])
{
    JpegBits bits = reader.Take();
    unsigned withAc = 0;
    for (int i = 0; i < count; ++i)
        if (DecodeBlock(reader, bits, slots[i], predictors[slots[i].component], blocks[i])) withAc |= 1u << i;
    reader.Put(bits);
    return withAc;
}

struct Plane {
    std::vector<BYTE> samples;
    int width = 0;  // bytes per plane row
    int repeatX = 1, repeatY = 1;
};

// Upsamples and converts the rows of one MCU row, which starts at image row
// top, into the bottom-up destination; expanded holds a row of each plane
// that needs widening.
void WriteRows(const JpegHeader& h, const Plane planes[3], std::vector<BYTE> expanded[3], int top, BYTE* bits,
               size_t stride)
{
    const bool colour = h.componentCount == 3;
    const size_t rowBytes = size_t(h.width) * (colour ? 3 : 1);
    const int rows = std::min(8 * h.maxV, h.height - top);
    auto destination = [&](int r) {
        BYTE* dest = bits + size_t(h.height - 1 - top - r) * stride;
        std::memset(dest + rowBytes, 0, stride - rowBytes);
        return dest;
    };
    auto planeRow = [&](int c, int r) {
        return planes[c].samples.data() + size_t(r / planes[c].repeatY) * size_t(planes[c].width);
    };
    const bool halfWidthChroma = colour && !h.rgb && planes[0].repeatX == 1 && planes[1].repeatX == 2 &&
                                 planes[2].repeatX == 2;
    // 4:2:0: each chroma row serves two luma rows, converted together.
    const bool halfHeightChroma = halfWidthChroma && planes[0].repeatY == 1 && planes[1].repeatY == 2 &&
                                  planes[2].repeatY == 2;
    for (int r = 0; r < rows; ++r) {
        BYTE* dest = destination(r);
        if (halfHeightChroma && r + 1 < rows) {
            JpegYCbCrHalfToBgrPair(planeRow(0, r), planeRow(0, r + 1), planeRow(1, r), planeRow(2, r), dest,
                                   destination(r + 1), h.width);
            ++r;
        } else if (halfWidthChroma) {
            JpegYCbCrHalfToBgr(planeRow(0, r), planeRow(1, r), planeRow(2, r), dest, h.width);
        } else if (!colour) {
            std::memcpy(dest, planeRow(0, r), size_t(h.width));
        } else {
            const BYTE* from[3];
            for (int c = 0; c < 3; ++c) {
                from[c] = planeRow(c, r);
                const int n = planes[c].repeatX;
                if (n == 1) continue;
                BYTE* to = expanded[c].data();
                for (size_t x = 0; x < expanded[c].size(); ++x) to[x] = from[c][x / size_t(n)];
                from[c] = to;
            }
            if (h.rgb)
                JpegRgbToBgr(from[0], from[1], from[2], dest, h.width);
            else
                JpegYCbCrToBgr(from[0], from[1], from[2], dest, h.width);
        }
    }
}
}

JpegDecoder::JpegDecoder() : m_header(new JpegHeader) {}

JpegDecoder::~JpegDecoder() = default;

bool JpegDecoder::Start(const BYTE* data, size_t size)
{
    m_pData = data;
    m_nSize = size;
    return ParseJpegHeaders(data, size, *m_header);
}

bool JpegDecoder::DecodeInto(BYTE* bits, size_t stride)
{
    const JpegHeader& h = *m_header;
    if (stride < size_t(h.width) * (IsColour() ? 3 : 1)) return false;
    const int mcuWidth = 8 * h.maxH, mcuHeight = 8 * h.maxV;
    const int mcusX = (h.width + mcuWidth - 1) / mcuWidth;
    const int mcusY = (h.height + mcuHeight - 1) / mcuHeight;

    Plane planes[3];
    std::vector<BYTE> expanded[3];
    const int rowSamples = mcusX * mcuWidth;
    for (int c = 0; c < h.componentCount; ++c) {
        const JpegComponent& comp = h.components[c];
        planes[c].width = mcusX * comp.h * 8;
        planes[c].samples.resize(size_t(planes[c].width) * size_t(comp.v) * 8);
        planes[c].repeatX = h.maxH / comp.h;
        planes[c].repeatY = h.maxV / comp.v;
        if (planes[c].repeatX > 1) expanded[c].resize(size_t(rowSamples));
    }

    BlockSlot slots[10];
    int slotCount = 0;
    for (int i = 0; i < h.componentCount; ++i) {
        const int c = h.scanOrder[i];
        const JpegComponent& comp = h.components[c];
        for (int bv = 0; bv < comp.v; ++bv)
            for (int bh = 0; bh < comp.h; ++bh)
                slots[slotCount++] = BlockSlot{&h.dc[comp.dcTable], &h.ac[comp.acTable], h.quant[comp.quantTable], c,
                                               size_t(bv) * 8 * size_t(planes[c].width) + size_t(bh) * 8,
                                               size_t(comp.h) * 8};
    }

    JpegBitReader reader;
    reader.Start(m_pData + h.scanOffset, m_nSize - h.scanOffset);
    int16_t predictors[4] = {};
    int countdown = h.restartInterval;
    // An MCU's blocks are all decoded before any is transformed, so that the
    // transform can take them two at a time; an odd one waits for the next
    // MCU (within the row), so its coefficients live in one of two buffers
    // and the next MCU decodes into the other.
    alignas(32) int16_t blocks[2][10][64];
    JpegIdctJob jobs[11];
    int jobCount = 0, buffer = 0;
    const JpegInverseDctBatch inverseDct = ActiveJpegInverseDctBatch();

    for (int my = 0; my < mcusY; ++my) {
        for (int mx = 0; mx < mcusX; ++mx) {
            if (h.restartInterval) {
                if (countdown == 0) {
                    reader.Restart();
                    std::memset(predictors, 0, sizeof(predictors));
                    countdown = h.restartInterval;
                }
                --countdown;
            }
            // One clearing for the whole MCU: a block's worth at a time costs more.
            int16_t(*mcuBlocks)[64] = blocks[buffer];
            std::memset(mcuBlocks, 0, sizeof(blocks[buffer][0]) * size_t(h.blocksPerMcu));
            const unsigned withAc = DecodeMcu(reader, slots, h.blocksPerMcu, predictors, mcuBlocks);
            for (int i = 0; i < h.blocksPerMcu; ++i) {
                const BlockSlot& slot = slots[i];
                Plane& plane = planes[slot.component];
                BYTE* out = plane.samples.data() + slot.offset + size_t(mx) * slot.step;
                if (withAc & (1u << i))
                    jobs[jobCount++] = JpegIdctJob{mcuBlocks[i], out, plane.width};
                else
                    JpegInverseDctDcOnly(mcuBlocks[i][0], out, plane.width);
            }
            const int paired = jobCount & ~1;
            inverseDct(jobs, paired);
            jobCount -= paired;
            if (jobCount) jobs[0] = jobs[paired];
            buffer = jobCount && jobs[0].block < blocks[1][0] ? 1 : 0;
        }
        inverseDct(jobs, jobCount);
        jobCount = 0;
        if (reader.Overran()) return false;  // the data ended early

        WriteRows(h, planes, expanded, my * mcuHeight, bits, stride);
        int done = (my + 1) * mcuHeight;
        ReportProgress(done < h.height ? done : h.height, h.height);
    }
    return true;
}
