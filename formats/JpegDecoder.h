// The scan decoder of the JPEG reader: from a parsed header to pixels in a
// buffer the caller owns (XFileJpg allocates the image's pixel block and
// hands it here; a benchmark may reuse one buffer for many files).
//
// One row of MCUs at a time: each component has a plane as wide as the MCU
// row and one MCU high; inverse-transformed blocks land in it directly, and
// its rows are then upsampled by replication and converted straight into
// the bottom-up destination rows.
#pragma once

#include "JpegMarkers.h"

#include <cstddef>
#include <memory>

class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder();

    // Parses the headers of data[0, size); false for a file the decoder
    // does not handle. The data must outlive DecodeInto.
    bool Start(const BYTE* data, size_t size);

    int Width() const { return m_header->width; }
    int Height() const { return m_header->height; }
    // Three components (read as B, G, R) rather than one (grey).
    bool IsColour() const { return m_header->componentCount == 3; }

    // Decodes the scan into bits: Height() rows, stride bytes apart and
    // bottom-up, of 3 (colour) or 1 byte per pixel; the bytes that pad each
    // row to stride are zeroed. False when the data ends before the scan
    // (or stride is less than a row).
    bool DecodeInto(BYTE* bits, size_t stride);

private:
    std::unique_ptr<JpegHeader> m_header;
    const BYTE* m_pData = nullptr;
    size_t m_nSize = 0;
};
