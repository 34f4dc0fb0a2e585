// Clipboard files (.CLP): a 4-byte file header (id 50000, format count),
// 89-byte format entries (format id, data length, data offset, name), then
// the formats' data. Only the first entry is read; the writer writes one
// device-independent bitmap entry.
#pragma once

#include "ImageReader.h"
#include "XFileBmpDib.h"

class XFileClp : public ImageReader<BmpError> {
public:
    Error WriteImage(const XImage& image, const char* path);

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override;
    static Error DecodeDeviceBitmap(XImage* image, const BYTE* data, size_t size);
};
