// Zoom (integer enlargement) and Scale (enlarge by whole factors, then drop
// evenly spaced rows and columns). Both are a resampling by two index
// maps: output column j shows source column columns[j], output row i shows
// source row rows[i]. Scale composes the enlargement and the dropping into
// those maps, so it never builds the enlarged image in between: memory is
// the source, the result and the maps, and only the result's size must pass
// the allocation gate.
#include "ImageLock.h"
#include "PixelRow.h"

#include "../framework/Progress.h"
#include "../resources/resource.h"

#include <algorithm>
#include <vector>

namespace {
// Positions 0..count-1 that survive dropping count - keep of them: with
// step s = count / dropped (held in single precision), position r is
// dropped when it is the integer part of k s for the next k (k counting
// from 1 up to the number to drop), and every position after keep have
// survived is dropped too.
std::vector<int32_t> KeptPositions(int64_t count, int64_t keep)
{
    const int64_t dropped = count - keep;
    const float step = dropped > 0 ? float(double(count) / double(dropped)) : 0.0f;
    std::vector<int32_t> kept;
    kept.reserve(size_t(keep));
    int64_t k = 1;
    for (int64_t r = 0; r < count; ++r) {
        const bool dropHere = dropped > 0 && k <= dropped && r == int64_t(double(k) * double(step));
        if (dropHere || int64_t(kept.size()) == keep) {
            ++k;
            continue;
        }
        kept.push_back(int32_t(r));
    }
    return kept;
}

template <int Bytes>
void ResampleRow(const BYTE* in, BYTE* out, const std::vector<int32_t>& columns)
{
    for (int32_t column : columns) {
        std::memcpy(out, in + size_t(column) * Bytes, Bytes);
        out += Bytes;
    }
}

void Resample(const ImageLock& src, const ImageWriteLock& dst, const std::vector<int32_t>& columns,
              const std::vector<int32_t>& rows)
{
    const int bitCount = src.BitCount();
    const int32_t height = dst.Height();
    for (int32_t i = 0; i < height; ++i) {
        ReportProgress(i, height);
        BYTE* out = dst.Row(i);
        if (i > 0 && rows[size_t(i)] == rows[size_t(i) - 1]) {
            std::memcpy(out, dst.Row(i - 1), dst.RowBytes());
            continue;
        }
        const BYTE* in = src.Row(rows[size_t(i)]);
        switch (bitCount) {
        case 8: ResampleRow<1>(in, out, columns); break;
        case 24: ResampleRow<3>(in, out, columns); break;
        default:
            for (size_t j = 0; j < columns.size(); ++j)
                SetPixelIndex(out, int32_t(j), bitCount, PixelIndex(in, columns[j], bitCount));
            break;
        }
    }
}

// Source positions of an enlargement by factor followed by dropping down to
// size positions.
std::vector<int32_t> ScaleMap(int32_t sourceSize, int64_t factor, int64_t size)
{
    std::vector<int32_t> map = KeptPositions(factor * sourceSize, size);
    for (int32_t& position : map) position = int32_t(position / factor);
    return map;
}
}

ImageOpResult ZoomImage(const XImage& srcImage, int kx, int ky)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    if (kx < 1 || ky < 1) return OpFailure(ImageOpError::kEmptyResult);
    const int64_t width = int64_t(kx) * src.Width(), height = int64_t(ky) * src.Height();
    ImageOpResult result = NewResultImage(srcImage, width, height, src.BitCount(), IDS_ORIGIN_ZOOM_IN);
    if (!result) return result;
    std::vector<int32_t> columns(static_cast<size_t>(width)), rows(static_cast<size_t>(height));
    for (size_t j = 0; j < columns.size(); ++j) columns[j] = int32_t(j / size_t(kx));
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = int32_t(i / size_t(ky));
    Resample(src, ImageWriteLock(*result.image), columns, rows);
    return result;
}

ImageOpResult ZoomIn(const XImage& src) { return ZoomImage(src, 2, 2); }

ImageOpResult ZoomOut(const XImage& src)
{
    return ScaleImage(src, std::max(src.m_nWidth / 2, 1), std::max(src.m_nHeight / 2, 1));
}

ImageOpResult ScaleImage(const XImage& srcImage, int64_t width, int64_t height)
{
    ImageLock src(srcImage);
    if (!src) return OpFailure(ImageOpError::kUnsupported);
    if (width < 1 || height < 1) return OpFailure(ImageOpError::kEmptyResult);
    const int64_t kx = (width + src.Width() - 1) / src.Width();
    const int64_t ky = (height + src.Height() - 1) / src.Height();
    const UINT origin = (kx > 1 || ky > 1) ? IDS_ORIGIN_ZOOM_IN : IDS_ORIGIN_ZOOM_OUT;
    ImageOpResult result = NewResultImage(srcImage, width, height, src.BitCount(), origin);
    if (!result) return result;
    Resample(src, ImageWriteLock(*result.image), ScaleMap(src.Width(), kx, width),
             ScaleMap(src.Height(), ky, height));
    return result;
}
