// GIF speed next to giflib on the same data in the same run: encode and
// decode a 1920 x 1080 picture ordered-dithered to the 256-colour halftone
// palette. Single thread; prints megapixels per second and the ratios (above
// 1 means Kestrel is faster). Best of several runs each, the two codecs
// alternating, timed in processor time.
#include "formats/XFileGif.h"

#include "framework/File.h"
#include "framework/GlobalBlock.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {
const int kWidth = 1920, kHeight = 1080, kRuns = 9;

// Processor time of this (single-threaded) process: the machine is shared,
// and time spent waiting for a core is not the codec's.
double Seconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

// A smooth, photo-like picture (waves and gradients) with some noise,
// dithered like the display copy of a true-colour image.
void MakePicture(XImage& image)
{
    image.m_nWidth = kWidth;
    image.m_nHeight = kHeight;
    image.m_nBitCount = 8;
    if (!image.AllocateBlocks()) std::exit(1);
    LockedBlock<BYTE> bits(image.m_hBits), info(image.m_hInfo);
    std::memcpy(info.get() + 40, HalftonePalette(), 256 * sizeof(RGBQUAD));
    unsigned seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        BYTE* row = bits.get() + size_t(kHeight - 1 - y) * image.RowBytes();
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245 + 12345;
            int noise = int((seed >> 16) % 9) - 4;
            int r = int(128 + 100 * std::sin(x * 0.004) * std::cos(y * 0.006)) + noise;
            int g = int(255.0 * y / kHeight) + noise;
            int b = int(128 + 120 * std::sin((x + y) * 0.002)) + noise;
            r = r < 0 ? 0 : r > 255 ? 255 : r;
            g = g < 0 ? 0 : g > 255 ? 255 : g;
            b = b < 0 ? 0 : b > 255 ? 255 : b;
            row[x] = BYTE(10 + 36 * DitherLevel(r, x, y) + 6 * DitherLevel(g, x, y) + DitherLevel(b, x, y));
        }
    }
}

std::vector<BYTE> ReadAll(const std::string& path)
{
    File file;
    std::vector<BYTE> b;
    if (!file.Open(path.c_str(), File::ForReading)) return b;
    b.resize(size_t(file.Length()));
    b.resize(file.Read(b.data(), b.size()));
    return b;
}

struct Memory {
    const std::vector<BYTE>* data;
    size_t pos;
};

int ReadMemory(GifFileType* gif, GifByteType* out, int count)
{
    Memory* m = static_cast<Memory*>(gif->UserData);
    size_t n = std::min(size_t(count), m->data->size() - m->pos);
    std::memcpy(out, m->data->data() + m->pos, n);
    m->pos += n;
    return int(n);
}

// The first image's indices, top row first, or empty on failure.
std::vector<BYTE> GiflibDecode(const std::vector<BYTE>& file)
{
    Memory memory = {&file, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&memory, ReadMemory, &error);
    std::vector<BYTE> pixels;
    if (!gif) return pixels;
    GifRecordType type;
    while (DGifGetRecordType(gif, &type) == GIF_OK && type != TERMINATE_RECORD_TYPE) {
        if (type == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* ext;
            DGifGetExtension(gif, &code, &ext);
            while (ext) DGifGetExtensionNext(gif, &ext);
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK) break;
        int width = gif->Image.Width, height = gif->Image.Height;
        pixels.resize(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            if (DGifGetLine(gif, pixels.data() + size_t(y) * size_t(width), width) != GIF_OK) {
                pixels.clear();
                break;
            }
        break;
    }
    DGifCloseFile(gif, &error);
    return pixels;
}

bool GiflibEncode(const XImage& image, const std::string& path)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) return false;
    LockedBlock<BYTE> bits(image.m_hBits), info(image.m_hInfo);
    GifColorType colors[256];
    const RGBQUAD* quads = reinterpret_cast<const RGBQUAD*>(info.get() + 40);
    for (int i = 0; i < 256; ++i) colors[i] = {quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue};
    ColorMapObject* map = GifMakeMapObject(256, colors);
    bool ok = EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < kHeight; ++y)
        ok = EGifPutLine(gif, bits.get() + size_t(kHeight - 1 - y) * image.RowBytes(), kWidth) == GIF_OK;
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

// Best times of f and g, run alternately so that both see the same load.
template <typename F, typename G>
void Best(F f, G g, double& bestF, double& bestG)
{
    bestF = bestG = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        double start = Seconds();
        f();
        double middle = Seconds();
        g();
        double end = Seconds();
        bestF = std::min(bestF, middle - start);
        bestG = std::min(bestG, end - middle);
    }
}
}

int main()
{
    XImage picture;
    MakePicture(picture);
    const std::string dir = "/tmp/";
    const std::string ours = dir + "kestrel_gif_bench.gif", theirs = dir + "kestrel_gif_bench_giflib.gif";
    const double megapixels = kWidth * kHeight / 1e6;

    double encodeOurs, encodeTheirs;
    GifError written = GifError::None;
    Best([&] { written = XFileGif().WriteImage(picture, ours.c_str()); }, [&] { GiflibEncode(picture, theirs); },
         encodeOurs, encodeTheirs);
    if (written != GifError::None) return 1;
    std::vector<BYTE> file = ReadAll(ours), giflibFile = ReadAll(theirs);

    // Both decoders must agree on the data before their speed means anything.
    std::vector<BYTE> reference = GiflibDecode(file);
    XImage check;
    XFileGif().Decode(&check, file.data(), file.size());
    {
        LockedBlock<BYTE> bits(check.m_hBits), original(picture.m_hBits);
        if (!bits || reference.size() != size_t(kWidth) * kHeight ||
            std::memcmp(bits.get(), original.get(), picture.BitsSize()) != 0) {
            std::puts("decoders disagree");
            return 1;
        }
        for (int y = 0; y < kHeight; ++y)
            if (std::memcmp(reference.data() + size_t(y) * kWidth, bits.get() + size_t(kHeight - 1 - y) * check.RowBytes(),
                            kWidth) != 0) {
                std::puts("decoders disagree");
                return 1;
            }
    }

    double decodeOurs, decodeTheirs, decodeOursGiflibFile, decodeTheirsGiflibFile;
    Best(
        [&] {
            XImage image;
            XFileGif().Decode(&image, file.data(), file.size());
        },
        [&] { GiflibDecode(file); }, decodeOurs, decodeTheirs);
    Best(
        [&] {
            XImage image;
            XFileGif().Decode(&image, giflibFile.data(), giflibFile.size());
        },
        [&] { GiflibDecode(giflibFile); }, decodeOursGiflibFile, decodeTheirsGiflibFile);

    std::printf("1920x1080, 256 colours, dithered; file %zu bytes (giflib's %zu)\n", file.size(), giflibFile.size());
    std::printf("encode  Kestrel %7.1f Mpx/s   giflib %7.1f Mpx/s   ratio %.2f\n", megapixels / encodeOurs,
                megapixels / encodeTheirs, encodeTheirs / encodeOurs);
    std::printf("decode  Kestrel %7.1f Mpx/s   giflib %7.1f Mpx/s   ratio %.2f  (Kestrel's file)\n",
                megapixels / decodeOurs, megapixels / decodeTheirs, decodeTheirs / decodeOurs);
    std::printf("decode  Kestrel %7.1f Mpx/s   giflib %7.1f Mpx/s   ratio %.2f  (giflib's file)\n",
                megapixels / decodeOursGiflibFile, megapixels / decodeTheirsGiflibFile,
                decodeTheirsGiflibFile / decodeOursGiflibFile);
    std::remove(ours.c_str());
    std::remove(theirs.c_str());
    return 0;
}
