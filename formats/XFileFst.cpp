// FST codec. The reader trusts nothing in the header: the bit count and
// sizes are validated, the data size D must lie inside the file, decoding
// stops at the end of D and never writes past the pixel block, and the
// stored header block only contributes its colour table and resolutions,
// so that the image's header always agrees with the FST header.
// The encoder runs over the whole pixel block as one byte sequence with a
// literal/repeat state machine (the one of the RLE8 writer, limited to 127).
#include "XFileFst.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

#include <cstring>

namespace {
const size_t kMaxCount = 127;

bool IsKnownBitCount(int bitCount) { return XImage::InfoSizeFor(bitCount) != 0; }

// The header's D and N fields are 32 bits (size_t may be 64).
bool FitsIn32Bits(uint64_t value) { return value <= 0xFFFFFFFFu; }
}

XFileFst::XFileFst() : m_header{} {}

bool XFileFst::ParseHeader(const BYTE* bytes, size_t size, FstHeader* header)
{
    if (size < kHeaderSize || LoadU16(bytes) != kMagic) return false;
    header->magic = kMagic;
    header->width = LoadU16(bytes + 2);
    header->height = LoadU16(bytes + 4);
    header->bitCount = LoadU16(bytes + 6);
    header->dataSize = LoadU32(bytes + 8);
    header->noteLength = LoadU32(bytes + 12);
    return true;
}

bool XFileFst::LocateNote(const FstHeader& header, uint64_t fileLength, uint64_t* offset)
{
    if (header.noteLength == 0 || !IsKnownBitCount(header.bitCount)) return false;
    const uint64_t at = kHeaderSize + XImage::InfoSizeFor(header.bitCount) + uint64_t(header.dataSize);
    if (at > fileLength || header.noteLength > fileLength - at) return false;
    *offset = at;
    return true;
}

HGLOBAL XFileFst::ReadNote(const char* path)
{
    File file;
    BYTE bytes[kHeaderSize];
    FstHeader header;
    uint64_t offset = 0;
    if (!file.Open(path, File::ForReading) || !file.ReadExact(bytes, kHeaderSize) ||
        !ParseHeader(bytes, kHeaderSize, &header) || !LocateNote(header, file.Length(), &offset) ||
        !file.Seek(offset))
        return nullptr;
    OwnedBlock note;
    if (!note.Allocate(size_t(header.noteLength) + 1)) return nullptr;
    {
        LockedBlock<BYTE> text(note.get());
        if (!text || !file.ReadExact(text.get(), header.noteLength)) return nullptr;
    }
    return note.release();
}

FstError XFileFst::DecodeFile(XImage* image, const BYTE* data, size_t size)
{
    if (!ParseHeader(data, size, &m_header) || !IsKnownBitCount(m_header.bitCount) || m_header.width == 0 ||
        m_header.height == 0)
        return Error::Unsupported;
    const size_t infoSize = XImage::InfoSizeFor(m_header.bitCount);
    if (size - kHeaderSize < infoSize || m_header.dataSize > size - kHeaderSize - infoSize) return Error::Unsupported;

    image->m_nWidth = m_header.width;
    image->m_nHeight = m_header.height;
    image->m_nBitCount = m_header.bitCount;
    // 24-bit pixels are copied whole; runs leave what they miss zero.
    const bool copied = m_header.bitCount == 24;
    if (!(copied ? image->AllocateBlocksToOverwrite() : image->AllocateBlocks())) return Error::OutOfMemory;

    const BYTE* storedInfo = data + kHeaderSize;
    const BYTE* pixels = storedInfo + infoSize;
    const size_t bitsSize = image->BitsSize();
    if (copied && m_header.dataSize < bitsSize) return Error::Unsupported;

    LockedBlock<BYTE> bits(image->m_hBits);
    LockedBlock<BITMAPINFOHEADER> info(image->m_hInfo);
    if (!bits || !info) return Error::OutOfMemory;
    // Size, width, height, planes and bit count stay as AllocateBlocks made
    // them from the FST header; the stored block gives only the resolutions
    // and the colours.
    info->biXPelsPerMeter = LONG(LoadU32(storedInfo + 24));
    info->biYPelsPerMeter = LONG(LoadU32(storedInfo + 28));
    std::memcpy(reinterpret_cast<BYTE*>(info.get()) + sizeof(BITMAPINFOHEADER),
                storedInfo + sizeof(BITMAPINFOHEADER), infoSize - sizeof(BITMAPINFOHEADER));

    if (copied)
        std::memcpy(bits.get(), pixels, bitsSize);
    else
        DecodeRuns(pixels, m_header.dataSize, bits.get(), bitsSize);
    return Error::None;
}

void XFileFst::DecodeRuns(const BYTE* in, size_t inSize, BYTE* out, size_t outSize)
{
    size_t i = 0;
    size_t o = 0;
    while (i < inSize && o < outSize) {
        const BYTE code = in[i++];
        if (code == 0) break;
        if (code >= 0x80) {
            if (i >= inSize) break;
            const BYTE value = in[i++];
            size_t count = code - 0x80u;
            if (count > outSize - o) count = outSize - o;
            std::memset(out + o, value, count);
            o += count;
        } else {
            size_t count = code;
            if (count > inSize - i) count = inSize - i;
            const size_t kept = count < outSize - o ? count : outSize - o;
            std::memcpy(out + o, in + i, kept);
            o += kept;
            i += count;
        }
    }
}

size_t XFileFst::Encode(const BYTE* in, size_t size, BYTE* out)
{
    size_t written = 0;
    if (size > 0) {
        // Literal mode: the pending literal is in[p, p + n) and q scans.
        // Repeat mode: n copies of v are pending and p scans.
        size_t p = 0;
        size_t q = 1;
        size_t n = 1;
        BYTE v = in[0];
        bool repeat = false;
        auto flushLiteral = [&]() {
            if (n == 1) {
                out[written++] = 0x81;  // a lone byte is a repeat of one
                out[written++] = in[p];
            } else if (n >= 2) {
                out[written++] = BYTE(n);
                std::memcpy(out + written, in + p, n);
                written += n;
            }
            p += n;
        };
        auto flushRepeat = [&]() {
            if (n == 0) return;
            out[written++] = BYTE(0x80 + n);
            out[written++] = v;
        };
        for (size_t i = 1; i < size; ++i) {
            if (!repeat) {
                if (in[q] != v) {
                    if (n >= kMaxCount) {
                        flushLiteral();
                        n = 0;
                    }
                    v = in[q];
                    ++n;
                    ++q;
                    continue;
                }
                // The previous byte starts a repeat: it leaves the literal.
                --n;
                flushLiteral();
                v = in[p];
                ++p;
                n = 1;
                repeat = true;
            }
            if (in[p] == v) {
                if (n >= kMaxCount) {
                    flushRepeat();
                    n = 0;
                }
                ++n;
                ++p;
            } else {
                flushRepeat();
                v = in[p];
                n = 1;
                q = p + 1;
                repeat = false;
            }
        }
        if (repeat)
            flushRepeat();
        else
            flushLiteral();
    }
    out[written++] = 0;
    return written;
}

FstError XFileFst::WriteImage(const XImage& image, const char* path, const char* note, size_t noteLength)
{
    const int bitCount = image.m_nBitCount;
    if (!image.m_hBits || !IsKnownBitCount(bitCount) || image.m_nWidth <= 0 || image.m_nHeight <= 0 ||
        image.m_nWidth > 0xFFFF || image.m_nHeight > 0xFFFF || !FitsIn32Bits(noteLength) ||
        (noteLength > 0 && !note))
        return Error::Unsupported;
    const size_t bitsSize = image.BitsSize();
    const size_t infoSize = image.InfoSize();
    // Room for the worst case of the run-length coding (2 bytes a byte) and
    // its closing 0; image sizes are capped far below SIZE_MAX / 2. A 24-bit
    // image is written as it is held and needs none.
    OwnedBlock work;
    if (bitCount != 24 && !work.Allocate(2 * bitsSize + 1)) return Error::OutOfMemory;
    LockedBlock<BYTE> coded(work.get());
    LockedBlock<BYTE> bits(image.m_hBits);
    LockedBlock<BYTE> info(image.m_hInfo);
    if ((bitCount != 24 && !coded) || !bits || !info || GlobalSize(image.m_hInfo) < infoSize)
        return Error::OutOfMemory;
    const BYTE* data = bits.get();
    size_t dataSize = bitsSize;
    if (bitCount != 24) {
        dataSize = Encode(bits.get(), bitsSize, coded.get());
        data = coded.get();
    }
    if (!FitsIn32Bits(dataSize)) return Error::Unsupported;

    BYTE header[kHeaderSize];
    StoreU16(header, kMagic);
    StoreU16(header + 2, uint32_t(image.m_nWidth));
    StoreU16(header + 4, uint32_t(image.m_nHeight));
    StoreU16(header + 6, uint32_t(bitCount));
    StoreU32(header + 8, uint32_t(dataSize));
    StoreU32(header + 12, uint32_t(noteLength));

    File file;
    if (!file.Open(path, File::ForWriting)) return Error::Unsupported;
    file.Write(header, kHeaderSize);
    file.Write(info.get(), infoSize);
    file.Write(data, dataSize);
    if (noteLength > 0) file.Write(note, noteLength);
    file.Close();
    return file.WriteFailed() ? Error::Unsupported : Error::None;
}
