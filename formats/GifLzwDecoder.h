// Variable-length LZW decoder of the GIF89a document (appendix F): codes of
// 3 to 12 bits, least significant bit first, in one contiguous stream (the
// caller has already stripped the data sub-block length bytes).
//
// Pixels are handed out in runs of any length (a row at a time), so a code
// whose string crosses a row boundary keeps its tail in m_pending until the
// next call. Strings are written backwards straight into the caller's buffer
// from the prefix chain, with their lengths kept per code, so no stack is
// needed on the common path.
//
// Damaged data never reads or writes outside the tables: a code above the next
// free code, a "next free code" with no previous code, or the end of the
// stream simply ends the output (Finished() turns true).
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <cstdint>

class GifLzwDecoder {
public:
    static const int kMaxCodes = 4096;  // 12-bit codes

    // False for a minimum code size outside 1..8 (roots must fit in a byte).
    bool Begin(int minCodeSize, const BYTE* data, size_t size);

    // Writes up to count pixel indices to out; fewer only when the stream has
    // ended (end code, damage or no more bits).
    size_t ReadPixels(BYTE* out, size_t count);

    bool Finished() const { return m_bFinished && m_nPendingPos == m_nPendingEnd; }

private:
    // The next code of m_nCodeSize bits, or -1 when the stream has run out.
    int NextCode();
    void ResetTable();
    // Writes the string of code into out (m_length[code] bytes), last byte first.
    void WriteString(int code, BYTE* out) const;

    const BYTE* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nPos = 0;
    uint64_t m_nBitBuffer = 0;
    int m_nBitCount = 0;

    int m_nClearCode = 0;
    int m_nEndCode = 0;
    int m_nFirstFree = 0;
    int m_nInitialCodeSize = 0;
    int m_nCodeSize = 0;
    int m_nCodeLimit = 0;
    int m_nNext = 0;
    int m_nOld = -1;
    bool m_bFinished = true;

    uint16_t m_prefix[kMaxCodes];
    BYTE m_suffix[kMaxCodes];
    BYTE m_first[kMaxCodes];
    uint16_t m_length[kMaxCodes];

    // Tail of a string that did not fit into the caller's last request.
    BYTE m_pending[kMaxCodes];
    size_t m_nPendingPos = 0;
    size_t m_nPendingEnd = 0;
};
