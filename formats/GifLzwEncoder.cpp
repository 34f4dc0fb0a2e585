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
    std::memset(m_hash, 0, sizeof m_hash);
    std::memset(m_lastChild, 0, sizeof m_lastChild);
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
    uint32_t prefix = uint32_t(m_nPrefix);
    if (m_nPrefix < 0) {
        if (count == 0) return;
        prefix = pixels[0];
        i = 1;
    }
    for (; i < count; ++i) {
        const uint32_t pixel = pixels[i];
        const uint32_t cached = m_lastChild[prefix];
        if ((cached & 0xFF) == pixel && cached > 0xFF) {
            prefix = cached >> 8;
            continue;
        }
        const uint32_t key = (prefix << 8) | pixel;
        // Fibonacci hashing of the (prefix, pixel) pair, scaled to the slots:
        // it spreads the sequential codes evenly, so probe runs stay short.
        int slot = int((uint64_t(key * 0x9E3779B1u) * kHashSlots) >> 32);
        uint32_t entry = m_hash[slot];
        if (entry != 0 && (entry & 0xFFFFF) == key) {
            m_lastChild[prefix] = ((entry >> 20) << 8) | pixel;
            prefix = entry >> 20;
            continue;
        }
        int step = 1;
        int probes = 0;
        while (entry != 0 && (entry & 0xFFFFF) != key) {
            slot += step;
            while (slot >= kHashSlots) slot -= kHashSlots;
            step += 2;
            // The probe sequence visits only about half the slots; on a
            // crowded table it could cycle forever, so give up and leave the
            // new string unrecorded (the stream stays valid, only longer).
            if (++probes == kHashSlots) {
                slot = -1;
                break;
            }
            entry = m_hash[slot];
        }
        if (slot >= 0 && entry != 0) {
            m_lastChild[prefix] = ((entry >> 20) << 8) | pixel;
            prefix = entry >> 20;
            continue;
        }
        WriteCode(int(prefix));
        if (m_nNext < 4096 && slot >= 0) {
            m_hash[slot] = (uint32_t(m_nNext) << 20) | key;
            m_lastChild[prefix] = (uint32_t(m_nNext) << 8) | pixel;
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
    m_nPrefix = int(prefix);
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
