// LZW encoding for GIF image data; see GifLzwEncoder.h for the contract.
#include "GifLzwEncoder.h"

#include <cstring>

void GifLzwEncoder::Begin(int minCodeSize, GifByteSink* sink)
{
    m_pSink = sink;
    m_nMinCodeSize = minCodeSize;
    m_nClearCode = 1 << minCodeSize;
    m_nBitBuffer = 0;
    m_nBitCount = 0;
    m_nBlockBytes = 0;
    m_nString = -1;
    ResetCodes();
    WriteCode(m_nClearCode);
}

void GifLzwEncoder::ResetCodes()
{
    m_nCodeSize = m_nMinCodeSize + 1;
    m_nCodeLimit = 1 << m_nCodeSize;
    m_nNext = m_nClearCode + 2;
    std::memset(m_keys, 0xFF, sizeof m_keys);
}

void GifLzwEncoder::FlushBlock()
{
    if (m_nBlockBytes == 0) return;
    m_block[0] = BYTE(m_nBlockBytes);
    m_pSink->WriteBytes(m_block, size_t(m_nBlockBytes) + 1);
    m_nBlockBytes = 0;
}

void GifLzwEncoder::WriteCode(int code)
{
    if (m_nBlockBytes >= 254) FlushBlock();
    // Fewer than 8 bits wait in the buffer, so a 12-bit code leaves at most
    // two whole bytes. Both bytes are stored every time (the block has room
    // behind its 254th byte) and only the whole ones counted: no branch on
    // how many there are.
    const uint32_t bits = m_nBitBuffer | uint32_t(code) << m_nBitCount;
    const int count = m_nBitCount + m_nCodeSize;
    const int whole = count >> 3;
    BYTE* out = m_block + 1 + m_nBlockBytes;
    out[0] = BYTE(bits);
    out[1] = BYTE(bits >> 8);
    m_nBlockBytes += whole;
    m_nBitBuffer = bits >> (8 * whole);
    m_nBitCount = count & 7;
}

int GifLzwEncoder::CodeOf(uint32_t string) const
{
    return string >= kHashSlots ? int(string - kHashSlots) : m_codes[string];
}

void GifLzwEncoder::AddPixels(const BYTE* pixels, size_t count)
{
    size_t i = 0;
    uint32_t string = uint32_t(m_nString);
    if (m_nString < 0) {
        if (count == 0) return;
        string = kHashSlots + pixels[0];
        i = 1;
    }
    for (; i < count; ++i) {
        const uint32_t pixel = pixels[i];
        const uint32_t key = (string << 8) | pixel;
        // Fibonacci hashing: the top bits of the product spread the keys
        // evenly, so probe runs stay short.
        uint32_t slot = (key * 0x9E3779B1u) >> (32 - kHashBits);
        uint32_t found;
        while ((found = m_keys[slot]) != key && found != kEmptySlot) slot = (slot + 1) & (kHashSlots - 1);
        if (found == key) {
            string = slot;
            continue;
        }
        WriteCode(CodeOf(string));
        if (m_nNext < 4096) {
            m_keys[slot] = key;
            m_codes[slot] = uint16_t(m_nNext);
        }
        int made = m_nNext++;
        if (made == m_nCodeLimit) {
            if (m_nCodeSize < 12) {
                ++m_nCodeSize;
                m_nCodeLimit <<= 1;
            } else {
                WriteCode(m_nClearCode);
                ResetCodes();
            }
        }
        string = kHashSlots + pixel;
    }
    m_nString = int(string);
}

void GifLzwEncoder::Finish()
{
    if (m_nString >= 0) WriteCode(CodeOf(uint32_t(m_nString)));
    WriteCode(m_nClearCode + 1);
    if (m_nBitCount > 0) {
        // A block may hold 255 bytes: the last partial byte can need a new one.
        if (m_nBlockBytes == 255) FlushBlock();
        m_block[1 + m_nBlockBytes++] = BYTE(m_nBitBuffer);
        m_nBitBuffer = 0;
        m_nBitCount = 0;
    }
    FlushBlock();
    static const BYTE kTerminator = 0;
    m_pSink->WriteBytes(&kTerminator, 1);
    m_nString = -1;
}
