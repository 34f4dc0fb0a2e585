// Clipboard files (.CLP): a 4-byte file header (id 50000, format count),
// 89-byte format entries (format id, data length, data offset, name), then
// the formats' data. Only the first entry is read; the writer writes one
// device-independent bitmap entry.
#pragma once

#include "../image/XImage.h"

#include <cstddef>

class XFileClp {
public:
    explicit XFileClp(XImage* image) : m_pImage(image) {}

    void ReadImage(const char* path);
    void Decode(const BYTE* data, size_t size);
    void WriteImage(const char* path);

private:
    void DecodeDeviceBitmap(const BYTE* data, size_t size);
    void Fail(UINT id);

    XImage* m_pImage;
};
