// Facts line, preview placement and the previewed image.
#include "FilePreview.h"

namespace {
// Windows file names: letter case and slash direction do not matter.
std::string Normalized(const std::string& path)
{
    std::string out(path);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c == '/') c = '\\';
    }
    return out;
}
}

std::string GroupedByteCount(uint64_t count)
{
    std::string digits = std::to_string(count);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string FactsLine(const std::string& path, uint64_t size)
{
    return "Path:  " + path + "   (" + GroupedByteCount(size) + " Bytes)";
}

RECT PreviewDrawRect(int side, int width, int height)
{
    RECT rc = {0, 0, 0, 0};
    if (side <= 0 || width <= 0 || height <= 0) return rc;
    if (width < side && height < side) {
        rc.left = (side - width) / 2;
        rc.top = (side - height) / 2;
        rc.right = rc.left + width;
        rc.bottom = rc.top + height;
    } else if (width > height) {
        // 64-bit products: widths and heights reach the 16-bit range and more.
        const LONG drawn = LONG(int64_t(height) * side / width);
        rc.left = 3;
        rc.right = 3 + side;
        rc.top = (side - drawn) / 2 + 2;
        rc.bottom = rc.top + drawn;
    } else {
        const LONG drawn = LONG(int64_t(width) * side / height);
        rc.top = 3;
        rc.bottom = 3 + side;
        rc.left = (side - drawn) / 2 + 2;
        rc.right = rc.left + drawn;
    }
    return rc;
}

void PreviewedImage::Keep(const std::string& path, std::unique_ptr<XImage> image)
{
    m_pImage = std::move(image);
    m_strPath = path;
}

void PreviewedImage::Clear()
{
    m_pImage.reset();
    m_strPath.clear();
}

std::unique_ptr<XImage> PreviewedImage::TakeFor(const std::string& path)
{
    std::unique_ptr<XImage> image = std::move(m_pImage);
    const bool match = image && Normalized(m_strPath) == Normalized(path);
    m_strPath.clear();
    if (!match) image.reset();
    return image;
}
