// LZW decoding for GIF image data; see GifLzwDecoder.h for the contract.
#include "GifLzwDecoder.h"

#include <cstring>

bool GifLzwDecoder::Begin(int minCodeSize, const BYTE* data, size_t size)
{
    m_bFinished = true;
    m_nPendingPos = m_nPendingEnd = 0;
    if (minCodeSize < 1 || minCodeSize > 8) return false;
    m_pData = data;
    m_nSize = data ? size : 0;
    m_nPos = 0;
    m_nBitBuffer = 0;
    m_nBitCount = 0;
    m_nClearCode = 1 << minCodeSize;
    m_nEndCode = m_nClearCode + 1;
    m_nFirstFree = m_nClearCode + 2;
    m_nInitialCodeSize = minCodeSize + 1;
    for (int i = 0; i < m_nClearCode; ++i) {
        m_prefix[i] = 0;
        m_suffix[i] = m_first[i] = BYTE(i);
        m_length[i] = 1;
    }
    ResetTable();
    m_bFinished = false;
    return true;
}

void GifLzwDecoder::ResetTable()
{
    m_nCodeSize = m_nInitialCodeSize;
    m_nCodeLimit = 1 << m_nCodeSize;
    m_nNext = m_nFirstFree;
    m_nOld = -1;
}

int GifLzwDecoder::NextCode()
{
    if (m_nBitCount < m_nCodeSize) {
        if (m_nSize - m_nPos >= 8) {
            // Both targets are little-endian: the eight bytes load as the next
            // 64 bits of the stream. Only whole bytes that fit are consumed.
            uint64_t word;
            std::memcpy(&word, m_pData + m_nPos, 8);
            m_nBitBuffer |= word << m_nBitCount;
            m_nPos += size_t(63 - m_nBitCount) >> 3;
            m_nBitCount |= 56;
        } else {
            while (m_nBitCount <= 56 && m_nPos < m_nSize) {
                m_nBitBuffer |= uint64_t(m_pData[m_nPos++]) << m_nBitCount;
                m_nBitCount += 8;
            }
            if (m_nBitCount < m_nCodeSize) return -1;
        }
    }
    int code = int(m_nBitBuffer & ((1u << m_nCodeSize) - 1));
    m_nBitBuffer >>= m_nCodeSize;
    m_nBitCount -= m_nCodeSize;
    return code;
}

void GifLzwDecoder::WriteString(int code, BYTE* out) const
{
    BYTE* p = out + m_length[code] - 1;
    while (code >= m_nFirstFree) {
        *p-- = m_suffix[code];
        code = m_prefix[code];
    }
    *p = BYTE(code);
}

size_t GifLzwDecoder::ReadPixels(BYTE* out, size_t count)
{
    size_t done = 0;
    if (m_nPendingPos < m_nPendingEnd) {
        size_t n = m_nPendingEnd - m_nPendingPos;
        if (n > count) n = count;
        std::memcpy(out, m_pending + m_nPendingPos, n);
        m_nPendingPos += n;
        done = n;
    }
    while (done < count && !m_bFinished) {
        int code = NextCode();
        if (code < 0 || code == m_nEndCode) {
            m_bFinished = true;
            break;
        }
        if (code == m_nClearCode) {
            ResetTable();
            continue;
        }
        // A code may name only an existing string or, after a first code, the
        // one about to be made (the KwKwK case); anything else is damage.
        if (code > m_nNext || (code == m_nNext && m_nOld < 0)) {
            m_bFinished = true;
            break;
        }
        if (m_nOld >= 0 && m_nNext < kMaxCodes) {
            int n = m_nNext;
            m_prefix[n] = uint16_t(m_nOld);
            m_suffix[n] = code == n ? m_first[m_nOld] : m_first[code];
            m_first[n] = m_first[m_nOld];
            m_length[n] = uint16_t(m_length[m_nOld] + 1);
            m_nNext = n + 1;
            if (m_nNext >= m_nCodeLimit && m_nCodeSize < 12) {
                ++m_nCodeSize;
                m_nCodeLimit <<= 1;
            }
        }
        m_nOld = code;
        size_t length = m_length[code];
        if (length <= count - done) {
            WriteString(code, out + done);
            done += length;
        } else {
            WriteString(code, m_pending);
            size_t n = count - done;
            std::memcpy(out + done, m_pending, n);
            done = count;
            m_nPendingPos = n;
            m_nPendingEnd = length;
        }
    }
    return done;
}
