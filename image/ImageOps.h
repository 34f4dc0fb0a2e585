// The Tool menu's pixel operations. Each reads a source image, never
// changes it, and returns a complete new image (or an error) for a new
// window. Sizes pass through XImage's one allocation gate, so a result too
// large for memory is an ordinary kOutOfMemory, never a wrapped size.
//
// Coordinates: "stored rows" count from the bottom as in the pixel block;
// rectangles (crop, erase, pick) are in image pixels counted from the
// image's top-left, right and bottom exclusive. No operation looks at the
// source's placement except Merge, which composes placed images.
//
// Long loops report through ReportProgress (framework/Progress.h).
#pragma once

#include "../settings/Options.h"
#include "XImage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum class ImageOpError {
    kNone,
    kOutOfMemory,        // result beyond the allocation gate or memory short
    kUnsupported,        // source has no pixels or a bit count the operation does not take
    kEmptyResult,        // a requested size or rectangle of no pixels
    kMoreThan16Colors,   // Reduce Colors 8 -> 4
    kMoreThan256Colors,  // Reduce Colors 24 -> 8
    kNoColorChange,      // Change Color to the colour already there
};

// The message shown for a failed operation (a string id); 0 when the
// failure has none (the commands' enable rules and dialogs keep those
// from happening).
UINT ImageOpMessage(ImageOpError error);

// The result of an operation: an image ready for a new window (origin id
// set, placement and cropping rectangle covering the whole result), or null
// with the reason.
struct ImageOpResult {
    std::unique_ptr<XImage> image;
    ImageOpError error = ImageOpError::kNone;

    explicit operator bool() const { return image != nullptr; }
};

// --- Frame (ops_frame.cpp) ---------------------------------------------------

// Source centred in a mat band (options.matWidth, colour options.mat) and a
// frame band (options.frameWidth, colour options.frame): (w + 2(F + M)) x (h + 2(F + M)).
// 4- and 8-bit sources keep their colour table, the band colours taking the
// nearest entries; 1-bit sources come out at 24 bits with exact colours (as
// drawn on a true-colour display); 24-bit sources are exact.
// Negative widths count as 0; the settings keep them in their ranges.
ImageOpResult FrameImage(const XImage& src, const FrameOptions& options);

// --- Zoom and Scale (ops_scale.cpp) ----------------------------------------

// Integer enlargement: every pixel repeated kx times across and ky times
// down. A factor below 1 gives kEmptyResult.
ImageOpResult ZoomImage(const XImage& src, int kx, int ky);
ImageOpResult ZoomIn(const XImage& src);  // Zoom by 2 x 2
// Scale to half size (integer division), never below 1 pixel per side.
ImageOpResult ZoomOut(const XImage& src);
// Scale to width x height: enlarge by the ceiling factors, then drop evenly
// spaced rows and columns (no averaging). Titled "Zoom In" when either factor
// exceeds 1, else "Zoom Out". A size below 1 gives kEmptyResult.
ImageOpResult ScaleImage(const XImage& src, int64_t width, int64_t height);

// --- Flip and Rotate (ops_flip_rotate.cpp) ---------------------------------

ImageOpResult FlipHorizontal(const XImage& src);
ImageOpResult FlipVertical(const XImage& src);
ImageOpResult RotateLeft(const XImage& src);   // counter-clockwise
ImageOpResult RotateRight(const XImage& src);  // clockwise

// --- Crop and Erase (ops_crop_erase.cpp) -----------------------------------

// The part of the source inside rc (clipped to the image); kEmptyResult when
// nothing is left.
ImageOpResult CropImage(const XImage& src, const RECT& rc);
// A copy whose pixels inside rc (clipped) are white: 255, 255, 255 at 24 bits,
// otherwise the first table entry with every component at least 247, or the
// entry nearest to white when the table has none.
ImageOpResult EraseImage(const XImage& src, const RECT& rc);
// The colour-table index Erase writes for a table of count entries.
int EraseIndex(const RGBQUAD* table, int count);

// --- Colour conversions (ops_color.cpp) -------------------------------------

// 1-bit result, entry 0 black and entry 1 white; every colour decided by its
// nearest colour of the fixed 16-colour table (kStandard16) and table.map,
// nonzero for white. Sources of 1, 4, 8 and 24 bits.
ImageOpResult BlackAndWhite(const XImage& src, const BlackWhiteOptions& table);
// gray = r when r = g = b, else (30 r + 54 g + 11 b) / 100.
BYTE GrayOf(BYTE red, BYTE green, BYTE blue);
// 1 and 4 bits: the table turns gray; 8 bits: pixels become gray levels under
// the gray ramp; 24 bits: an 8-bit gray image.
ImageOpResult Grayscale(const XImage& src);
// 24 bits: pixel bytes inverted; 1, 4 and 8 bits: table colours inverted.
ImageOpResult Invert(const XImage& src);

// --- Check & Change Colors (ops_color.cpp) ----------------------------------

// The image pixel under a canvas point (the document's coordinate space, in
// which the image covers its m_rcPlace); false outside the image.
bool ImagePixelFromCanvas(const XImage& image, POINT canvas, POINT* pixel);
// Colour of the pixel at (x, y) counted from the top-left; false outside
// the image or when it has no pixels.
bool ColorAtPixel(const XImage& image, POINT pixel, COLORREF* color);
// 24 bits: every pixel of colour picked gets replacement; 1, 4 and 8 bits: the
// first table entry equal to picked does. kNoColorChange when they are equal.
ImageOpResult ChangeColor(const XImage& src, COLORREF picked, COLORREF replacement);

// --- Count and Reduce Colors (ops_count_colors.cpp, ops_reduce_colors.cpp) --

// Number of distinct pixel values (indices for 1, 4 and 8 bits, colours for
// 24 bits) in *count. kOutOfMemory when the 24-bit colour sets cannot be
// allocated. The caller stores the count in the image's m_nColors.
ImageOpError CountColors(const XImage& image, uint32_t* count);
// 8 bits -> 4 bits (at most 16 indices used), 24 bits -> 8 bits (at most 256
// colours, table in order of first appearance).
ImageOpResult ReduceColors(const XImage& src);

// --- Merge and Flatten (ops_merge.cpp) --------------------------------------

enum class MergeStage { kScanning, kMerging };
// Told when a merge enters a stage, to show "Scanning Images..." and
// "Merging Images..." in the status box; may be empty.
typedef std::function<void(MergeStage)> MergeStageSink;

// The placed images (bottom first) composed on a background, 24 bits, over
// the bounding box of their placements whose left and top never start beyond
// 1000; reduced to 8 bits when it has at most 256 colours. Origin "Merged Image".
ImageOpResult MergeImages(const std::vector<const XImage*>& images, COLORREF background,
                          const MergeStageSink& onStage);
// The same on white, without an origin id and without the "Merging" stage,
// for printing a merge window.
ImageOpResult FlattenForPrinting(const std::vector<const XImage*>& images, const MergeStageSink& onStage);
