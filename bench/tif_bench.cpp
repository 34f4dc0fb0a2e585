// TIFF read and write speed on a 1920 x 1080 screen-like image, beside
// libtiff writing and reading the same uncompressed layout (bench only; the
// program never links libtiff).
#include "formats/XFileTif.h"

#include "PcxTifBench.h"

#include <tiffio.h>

#include <memory>

namespace {
// Writes the image's rows top first as libtiff strips of about 8 KB.
void LibtiffWrite(const XImage& image, const char* path)
{
    TIFF* tif = TIFFOpen(path, "w");
    if (!tif) return;
    const int bits = image.m_nBitCount;
    const uint32_t rowBytes = uint32_t(image.m_nWidth) * bits / 8;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(image.m_nWidth));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(image.m_nHeight));
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, bits == 24 ? 3 : 1);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, bits == 24 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 8192 / rowBytes ? 8192 / rowBytes : 1);
    LockedBlock<BYTE> pixels(image.m_hBits);
    std::vector<BYTE> line(rowBytes);
    for (int32_t y = 0; y < image.m_nHeight; ++y) {
        const BYTE* row = pixels.get() + size_t(image.m_nHeight - 1 - y) * image.RowBytes();
        for (uint32_t i = 0; i < rowBytes; i += bits / 8) {
            if (bits == 24) {
                line[i] = row[i + 2];
                line[i + 1] = row[i + 1];
                line[i + 2] = row[i];
            } else {
                line[i] = row[i];
            }
        }
        TIFFWriteScanline(tif, line.data(), uint32_t(y), 0);
    }
    TIFFClose(tif);
}

// Reads the file's rows top first into *reused, or into a fresh block
// (left unfilled, as Kestrel's own pixel block is) when reused is null.
void LibtiffRead(const char* path, std::vector<BYTE>* reused)
{
    TIFF* tif = TIFFOpen(path, "r");
    if (!tif) return;
    uint32_t height = 0;
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    const tmsize_t rowBytes = TIFFScanlineSize(tif);
    const size_t bytes = size_t(rowBytes) * height;
    std::unique_ptr<BYTE[]> fresh;
    BYTE* pixels = nullptr;
    if (reused) {
        reused->resize(bytes);
        pixels = reused->data();
    } else {
        fresh.reset(new BYTE[bytes]);
        pixels = fresh.get();
    }
    for (uint32_t y = 0; y < height; ++y) TIFFReadScanline(tif, pixels + size_t(y) * size_t(rowBytes), y, 0);
    TIFFClose(tif);
}
}

int main()
{
    TIFFSetWarningHandler(nullptr);
    for (int bits : {8, 24}) {
        pcxtif::BenchCodec<XFileTif>("tif", bits);
        auto image = pcxtif::ScreenImage(bits);
        const char* path = "/tmp/kestrel_bench_libtiff.tif";
        const double write = BestSeconds(5, [&] { LibtiffWrite(*image, path); });
        pcxtif::Report("libtiff write", bits, write, pcxtif::ReadAll(path).size());
        // Both readers on the same file (Kestrel's), by turns: libtiff into
        // one reused buffer, and into a fresh block per read as Kestrel reads.
        // A read takes about a millisecond and varies with the state of the
        // page tables, so each side's best needs a thousand tries to settle.
        XFileTif().WriteImage(*image, path);
        const size_t size = pcxtif::ReadAll(path).size();
        const auto ours = [&] {
            XImage back;
            XFileTif().ReadImage(&back, path);
        };
        std::vector<BYTE> pixels;
        double oursReused = 0, theirsReused = 0, oursFresh = 0, theirsFresh = 0;
        BestSecondsOfBoth(1001, ours, [&] { LibtiffRead(path, &pixels); }, oursReused, theirsReused);
        BestSecondsOfBoth(1001, ours, [&] { LibtiffRead(path, nullptr); }, oursFresh, theirsFresh);
        pcxtif::Report("tif read (same file)", bits, oursReused, size);
        pcxtif::Report("libtiff read, reused buffer", bits, theirsReused, size);
        pcxtif::Report("tif read (same file)", bits, oursFresh, size);
        pcxtif::Report("libtiff read, fresh buffer", bits, theirsFresh, size);
        std::printf("%-28s %2d-bit  %8.2f  (above 1: Kestrel faster)\n", "read ratio, reused", bits,
                    theirsReused / oursReused);
        std::printf("%-28s %2d-bit  %8.2f  (above 1: Kestrel faster)\n", "read ratio, fresh", bits,
                    theirsFresh / oursFresh);
        std::remove(path);
    }
    return 0;
}
