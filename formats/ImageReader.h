// What every image reader shares: the whole file is read into memory and
// decoded from there, and a read that fails leaves the image without blocks
// (whatever the decoder had allocated is freed here, once, for every early
// return). A reader derives from ImageReader<ItsError>, where ItsError is
// the codec's own error enum, and supplies DecodeFile. The enum has at least
// None, Unsupported (also the answer for a file that cannot be read) and
// OutOfMemory.
#pragma once

#include "ImageFileBytes.h"

#include "../image/XImage.h"

#include <cstddef>

template <typename ErrorEnum>
class ImageReader {
public:
    using Error = ErrorEnum;

    // Reads the whole file at path, then Decode.
    Error ReadImage(XImage* image, const char* path)
    {
        ImageFileBytes bytes;
        switch (bytes.Load(path)) {
        case ImageFileBytes::Loaded: {
            m_pMapped = bytes.Mapped();
            const Error error = Decode(image, bytes.Data(), bytes.Size());
            m_pMapped = nullptr;
            return error;
        }
        case ImageFileBytes::OutOfMemory: return Failed(image, Error::OutOfMemory);
        default: return Failed(image, Error::Unsupported);
        }
    }

    // Decodes a file held in memory into image, whose blocks are replaced.
    Error Decode(XImage* image, const BYTE* data, size_t size)
    {
        image->FreeBlocks();
        return Failed(image, DecodeFile(image, data, size));
    }

protected:
    ImageReader() = default;
    ~ImageReader() = default;

    // The codec's decoding; it may return early without freeing anything.
    virtual Error DecodeFile(XImage* image, const BYTE* data, size_t size) = 0;

    // While ReadImage decodes a mapped file, that file (see FileRuns); else null.
    const MappedFile* MappedSource() const { return m_pMapped; }

private:
    const MappedFile* m_pMapped = nullptr;

    static Error Failed(XImage* image, Error error)
    {
        if (error != Error::None) image->FreeBlocks();
        return error;
    }
};
