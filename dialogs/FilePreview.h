// The portable side of the open dialog's preview: the facts line with its
// comma-grouped byte count, where a previewed image is drawn in the square
// pane, and the previewed image itself, which goes with the chosen path to
// the document so that the file is not read twice. The preview remembers
// which file it read, so a name typed after the preview never opens the
// previewed picture in its place.
#pragma once

#include "../framework/kernel.h"
#include "../image/XImage.h"

#include <cstdint>
#include <memory>
#include <string>

// count with a comma between every group of three digits from the right:
// 999, 123,456, 1,234,567.
std::string GroupedByteCount(uint64_t count);

// "Path:  " + path + "   (" + grouped size + " Bytes)".
std::string FactsLine(const std::string& path, uint64_t size);

// The rectangle (left, top, right, bottom in pane pixels) that an image of
// width x height is drawn to in a fitting square of side side: an image
// smaller than the square in both directions keeps its own size, centred;
// otherwise its longer side becomes side and the other keeps the ratio.
// An empty rectangle for an image without size.
RECT PreviewDrawRect(int side, int width, int height);

// The image the open dialog's preview read last, and the file it came from.
class PreviewedImage {
public:
    // Keeps image as the preview read from path, in place of the last one.
    void Keep(const std::string& path, std::unique_ptr<XImage> image);
    // Drops the preview.
    void Clear();
    // The preview being shown; null before the first.
    const XImage* Image() const { return m_pImage.get(); }
    // The preview when it was read from path (names compared without regard
    // to letter case or slash direction, as Windows does), for the document
    // to show; null for any other name. The preview is gone afterwards
    // either way.
    std::unique_ptr<XImage> TakeFor(const std::string& path);

private:
    std::unique_ptr<XImage> m_pImage;
    std::string m_strPath;
};
