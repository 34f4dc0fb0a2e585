// Segment walk of ITU T.81 Annex B. Every length, count and table number
// is checked against the segment before it is used; anything outside the
// baseline process refuses the file.
#include "JpegMarkers.h"

#include <cstring>

namespace {
inline int Be16(const BYTE* p) { return (p[0] << 8) | p[1]; }

bool ParseFrame(const BYTE* seg, size_t len, JpegHeader& h)
{
    if (len < 6) return false;
    h.precision = seg[0];
    h.height = Be16(seg + 1);
    h.width = Be16(seg + 3);
    h.componentCount = seg[5];
    if (h.componentCount != 1 && h.componentCount != 3) return false;
    if (len < 6 + 3 * size_t(h.componentCount)) return false;
    for (int i = 0; i < h.componentCount; ++i) {
        const BYTE* c = seg + 6 + 3 * i;
        JpegComponent& comp = h.components[i];
        comp.id = c[0];
        comp.h = c[1] >> 4;
        comp.v = c[1] & 15;
        comp.quantTable = c[2];
        for (int j = 0; j < i; ++j)
            if (h.components[j].id == comp.id) return false;
    }
    return true;
}

bool ParseHuffman(const BYTE* seg, size_t len, JpegHeader& h)
{
    size_t pos = 0;
    while (pos < len) {
        if (len - pos < 17) return false;
        int tableClass = seg[pos] >> 4, number = seg[pos] & 15;
        if (tableClass > 1 || number > 3) return false;
        const BYTE* counts = seg + pos + 1;
        int total = 0;
        for (int i = 0; i < 16; ++i) total += counts[i];
        if (total > 256 || size_t(total) > len - pos - 17) return false;
        JpegHuffmanTable& table = tableClass == 0 ? h.dc[number] : h.ac[number];
        if (!table.Build(counts, seg + pos + 17, total)) return false;
        pos += 17 + size_t(total);
    }
    return true;
}

bool ParseQuant(const BYTE* seg, size_t len, JpegHeader& h)
{
    size_t pos = 0;
    while (pos < len) {
        int precision = seg[pos] >> 4, number = seg[pos] & 15;
        if (precision > 1 || number > 3) return false;
        size_t bytes = precision ? 128 : 64;
        if (len - pos - 1 < bytes) return false;
        const BYTE* values = seg + pos + 1;
        for (int k = 0; k < 64; ++k)
            h.quant[number][k] = uint16_t(precision ? Be16(values + 2 * k) : values[k]);
        h.hasQuant[number] = true;
        pos += 1 + bytes;
    }
    return true;
}

bool IsJfif(const BYTE* seg, size_t len)
{
    const void* end = std::memchr(seg, 0, len);
    return end && static_cast<const BYTE*>(end) - seg == 4 && std::memcmp(seg, "JFIF", 4) == 0;
}

// The scan header and every check that the decoder relies on.
bool ParseScan(const BYTE* seg, size_t len, JpegHeader& h)
{
    if (h.componentCount == 0 || len < 1) return false;
    int count = seg[0];
    if (count != h.componentCount || len < 4 + 2 * size_t(count)) return false;
    bool seen[4] = {};
    for (int i = 0; i < count; ++i) {
        int id = seg[1 + 2 * i], tables = seg[2 + 2 * i];
        int index = -1;
        for (int c = 0; c < h.componentCount; ++c)
            if (h.components[c].id == id) index = c;
        if (index < 0 || seen[index]) return false;
        seen[index] = true;
        h.components[index].dcTable = tables >> 4;
        h.components[index].acTable = tables & 15;
        h.scanOrder[i] = index;
    }

    if (h.precision != 8 || h.width == 0 || h.height == 0) return false;
    if (h.componentCount == 1) {
        // A single-component scan is never interleaved: its MCU is one block.
        h.components[0].h = h.components[0].v = 1;
    }
    h.maxH = h.maxV = 1;
    h.blocksPerMcu = 0;
    for (int c = 0; c < h.componentCount; ++c) {
        const JpegComponent& comp = h.components[c];
        if (comp.h < 1 || comp.h > 4 || comp.v < 1 || comp.v > 4) return false;
        if (comp.quantTable > 3 || !h.hasQuant[comp.quantTable]) return false;
        if (comp.dcTable > 3 || !h.dc[comp.dcTable].IsBuilt()) return false;
        if (comp.acTable > 3 || !h.ac[comp.acTable].IsBuilt()) return false;
        if (h.dc[comp.dcTable].MaxValue() > 11) return false;
        if (comp.h > h.maxH) h.maxH = comp.h;
        if (comp.v > h.maxV) h.maxV = comp.v;
        h.blocksPerMcu += comp.h * comp.v;
    }
    if (h.blocksPerMcu > 10) return false;
    // Upsampling repeats each sample a whole number of times.
    for (int c = 0; c < h.componentCount; ++c)
        if (h.maxH % h.components[c].h || h.maxV % h.components[c].v) return false;
    return true;
}
}

bool ParseJpegHeaders(const BYTE* data, size_t size, JpegHeader& header)
{
    bool first = true, haveFrame = false;
    size_t pos = 0;
    while (pos < size) {
        if (data[pos] != 0xFF) {
            ++pos;
            continue;
        }
        if (pos + 1 >= size) return false;
        int marker = data[pos + 1];
        if (first && marker != 0xD8) return false;
        first = false;
        if (marker == 0xFF) {  // fill byte before a marker
            ++pos;
            continue;
        }
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        if (marker == 0xD9) return false;  // end of image before any scan

        if (size - pos < 4) return false;
        size_t length = size_t(Be16(data + pos + 2));
        if (length < 2 || length > size - pos - 2) return false;
        const BYTE* seg = data + pos + 4;
        size_t segLength = length - 2;

        switch (marker) {
        case 0xC0:
            if (haveFrame || !ParseFrame(seg, segLength, header)) return false;
            haveFrame = true;
            break;
        case 0xC4:
            if (!ParseHuffman(seg, segLength, header)) return false;
            break;
        case 0xDB:
            if (!ParseQuant(seg, segLength, header)) return false;
            break;
        case 0xDD:
            if (segLength < 2) return false;
            header.restartInterval = Be16(seg);
            break;
        case 0xE0:
            if (!IsJfif(seg, segLength)) return false;
            break;
        case 0xEE:
            // "Adobe", version, two flag words, then the colour transform.
            if (segLength >= 12 && std::memcmp(seg, "Adobe", 5) == 0) header.rgb = seg[11] == 0;
            break;
        case 0xDA:
            if (!haveFrame || !ParseScan(seg, segLength, header)) return false;
            header.scanOffset = pos + 2 + length;
            return true;
        default:
            // Every other frame type (extended, progressive, lossless,
            // hierarchical, arithmetic) is outside the baseline process.
            if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                return false;
            break;
        }
        pos += 2 + length;
    }
    return false;
}
