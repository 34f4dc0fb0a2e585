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
    m_nPrefix = -1;
    ResetCodes();
    WriteCode(m_nClearCode);
}

void GifLzwEncoder::ResetCodes()
{
    m_nCodeSize = m_nMinCodeSize + 1;
    m_nCodeLimit = 1 << m_nCodeSize;
    m_nNext = m_nClearCode + 2;
    std::memset(m_hashCode, 0, sizeof m_hashCode);
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
    // Fewer than 8 bits wait in the buffer, so a 12-bit code still fits.
    m_nBitBuffer |= uint32_t(code) << m_nBitCount;
    m_nBitCount += m_nCodeSize;
    while (m_nBitCount >= 8) {
        m_block[1 + m_nBlockBytes++] = BYTE(m_nBitBuffer);
        m_nBitBuffer >>= 8;
        m_nBitCount -= 8;
    }
}

void GifLzwEncoder::AddPixels(const BYTE* pixels, size_t count)
{
    size_t i = 0;
    int prefix = m_nPrefix;
    if (prefix < 0) {
        if (count == 0) return;
        prefix = pixels[0];
        i = 1;
    }
    for (; i < count; ++i) {
        int pixel = pixels[i];
        int slot = ((pixel << 5) ^ prefix) % kHashSlots;
        int step = 1;
        int probes = 0;
        bool found = false;
        while (m_hashCode[slot] != 0) {
            if (m_hashPrefix[slot] == prefix && m_hashSuffix[slot] == pixel) {
                prefix = m_hashCode[slot];
                found = true;
                break;
            }
            slot = (slot + step) % kHashSlots;
            step += 2;
            // The probe sequence visits only about half the slots; on a
            // crowded table it could cycle forever, so give up and leave the
            // new string unrecorded (the stream stays valid, only longer).
            if (++probes == kHashSlots) {
                slot = -1;
                break;
            }
        }
        if (found) continue;
        WriteCode(prefix);
        if (m_nNext < 4096 && slot >= 0) {
            m_hashCode[slot] = uint16_t(m_nNext);
            m_hashPrefix[slot] = uint16_t(prefix);
            m_hashSuffix[slot] = BYTE(pixel);
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
        prefix = pixel;
    }
    m_nPrefix = prefix;
}

void GifLzwEncoder::Finish()
{
    if (m_nPrefix >= 0) WriteCode(m_nPrefix);
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
    m_nPrefix = -1;
}
