// The portable side of the open dialog's preview: the facts line with its
// comma-grouped byte count, where a previewed image is drawn in the square
// pane, and the preloaded mark that lets the document adopt the image the
// preview already read. The mark remembers which file was read, so a name
// typed after the preview never opens the previewed picture in its place.
#pragma once

#include "../framework/kernel.h"

#include <cstdint>
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

// The preloaded mark: set by the preview after it read path into the
// pending image, taken by the document when it opens a file.
class PreloadMark {
public:
    void Set(const std::string& path);
    void Clear();
    bool IsSet() const { return m_bSet; }
    // Clears the mark; true when it was set for path (names compared
    // without regard to letter case or slash direction, as Windows does).
    bool Take(const std::string& path);

private:
    bool m_bSet = false;
    std::string m_strPath;
};

// The one mark shared by the open dialog and the document.
extern PreloadMark g_preloadMark;
