// Speed of the image operations on 1920 x 1080 images (24-bit and 8-bit),
// single-threaded, on each vector path the processor has, each set against
// copying the same pixel bytes in the same run: memcpy into a block
// allocated and freed per round, as an operation must allocate its result,
// and memcpy into a block kept warm. The fresh copy is timed again beside
// every operation, rounds interleaved, so that both see the same load on
// the shared machine. Count and Reduce Colors are also timed at a quarter
// of the pixels to show that their cost per pixel does not grow with the
// image.
#include "image/ImageLock.h"

#include "BestSeconds.h"
#include "framework/CpuFeatures.h"
#include "framework/GlobalBlock.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {
const int kRounds = 11;

// Each timed sample repeats the work until it spans at least this long, so
// that a processor clock that ticks every 10 to 16 ms (Windows') still
// resolves operations that take one.
#ifdef _WIN32
const double kSampleSeconds = 0.1;
#else
const double kSampleSeconds = 0.002;
#endif

// Repetitions of work that fill one sample.
template <typename F>
int RepetitionsFor(F& work)
{
    int repetitions = 1;
    while (repetitions < 4096 &&
           BestSeconds(1, [&] { for (int i = 0; i < repetitions; ++i) work(); }) < kSampleSeconds)
        repetitions *= 2;
    return repetitions;
}

// Milliseconds per run of work, from one sample.
template <typename F>
double SampleMilliseconds(F& work, int repetitions)
{
    return BestSeconds(1, [&] { for (int i = 0; i < repetitions; ++i) work(); }) * 1000.0 / repetitions;
}

template <typename F>
double BestMilliseconds(F&& work)
{
    const int repetitions = RepetitionsFor(work);
    double best = 1e30;
    for (int i = 0; i < kRounds; ++i) best = std::min(best, SampleMilliseconds(work, repetitions));
    return best;
}

// The best milliseconds of a and of b, sampled in alternate rounds.
template <typename A, typename B>
void BestSideBySide(A&& a, B&& b, double* msA, double* msB)
{
    const int repetitionsA = RepetitionsFor(a), repetitionsB = RepetitionsFor(b);
    *msA = *msB = 1e30;
    for (int i = 0; i < kRounds; ++i) {
        *msA = std::min(*msA, SampleMilliseconds(a, repetitionsA));
        *msB = std::min(*msB, SampleMilliseconds(b, repetitionsB));
    }
}

// A screenshot-like picture of at most 200 colours (so that Reduce Colors
// succeeds): flat areas with noisy stretches that defeat run caching.
std::unique_ptr<XImage> MakePicture(int width, int height, int bitCount, int colors)
{
    std::unique_ptr<XImage> image(new XImage);
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = uint16_t(bitCount);
    if (!image->AllocateBlocks()) std::exit(1);
    std::mt19937 random(7);
    uint32_t palette[256];
    for (uint32_t& c : palette) c = random() & 0xFFFFFF;
    ImageWriteLock lock(*image);
    if (bitCount == 8) std::memcpy(lock.Table(), palette, sizeof palette);
    for (int y = 0; y < height; ++y) {
        BYTE* row = lock.Row(y);
        for (int x = 0; x < width; ++x) {
            const bool noisy = (x / 64 + y / 32) % 5 == 0;
            const int index = noisy ? int(random() % unsigned(colors)) : (x / 300 + y / 200) % colors;
            if (bitCount == 8) {
                row[x] = BYTE(index);
            } else {
                row[3 * x] = BYTE(palette[index]);
                row[3 * x + 1] = BYTE(palette[index] >> 8);
                row[3 * x + 2] = BYTE(palette[index] >> 16);
            }
        }
    }
    return image;
}

std::unique_ptr<XImage> MakeNoise(int width, int height)
{
    std::unique_ptr<XImage> image(new XImage);
    image->m_nWidth = width;
    image->m_nHeight = height;
    image->m_nBitCount = 24;
    if (!image->AllocateBlocks()) std::exit(1);
    std::mt19937 random(3);
    LockedBlock<BYTE> bits(image->m_hBits);
    for (size_t i = 0; i < image->BitsSize(); ++i) bits.get()[i] = BYTE(random());
    return image;
}

void Require(const ImageOpResult& result, const char* name)
{
    if (!result) {
        std::fprintf(stderr, "%s failed\n", name);
        std::exit(1);
    }
}

void BenchCopies(int bitCount)
{
    auto image = MakePicture(1920, 1080, bitCount, 200);
    const size_t bytes = image->BitsSize();
    LockedBlock<BYTE> src(image->m_hBits);
    OwnedBlock warm;
    if (!warm.Allocate(bytes)) std::exit(1);
    LockedBlock<BYTE> warmBytes(warm.get());
    const auto copyFresh = [&] {
        OwnedBlock block;
        if (!block.Allocate(bytes)) std::exit(1);
        LockedBlock<BYTE> to(block.get());
        std::memcpy(to.get(), src.get(), bytes);
    };
    // The barrier keeps the optimiser from merging repeated copies into one.
    const double kept = BestMilliseconds([&] {
        std::memcpy(warmBytes.get(), src.get(), bytes);
        __asm__ __volatile__("" ::: "memory");
    });

    std::printf("\n1920 x 1080, %d bits (%zu bytes), %s\n", bitCount, bytes, SimdLevelName(ActiveSimdLevel()));
    std::printf("  %-22s %8.2f ms\n", "memcpy, fresh block", BestMilliseconds(copyFresh));
    std::printf("  %-22s %8.2f ms\n", "memcpy, warm block", kept);
    std::printf("  %-22s %8s   %s  %s   %s\n", "operation", "time", "memcpy", "x fresh", "x warm");
    const RECT inner{1, 1, 1919, 1079};
    const struct {
        const char* name;
        ImageOpResult (*run)(const XImage&, const RECT&);
    } ops[] = {
        {"Flip Horizontal", [](const XImage& s, const RECT&) { return FlipHorizontal(s); }},
        {"Flip Vertical", [](const XImage& s, const RECT&) { return FlipVertical(s); }},
        {"Rotate Left", [](const XImage& s, const RECT&) { return RotateLeft(s); }},
        {"Rotate Right", [](const XImage& s, const RECT&) { return RotateRight(s); }},
        {"Crop (1 px border)", [](const XImage& s, const RECT& rc) { return CropImage(s, rc); }},
        {"Erase (all but border)", [](const XImage& s, const RECT& rc) { return EraseImage(s, rc); }},
        {"Invert", [](const XImage& s, const RECT&) { return Invert(s); }},
        {"Grayscale", [](const XImage& s, const RECT&) { return Grayscale(s); }},
    };
    for (const auto& op : ops) {
        double ms, fresh;
        BestSideBySide([&] { Require(op.run(*image, inner), op.name); }, copyFresh, &ms, &fresh);
        std::printf("  %-22s %8.2f ms %6.2f ms  %5.2f    %5.2f\n", op.name, ms, fresh, ms / fresh, ms / kept);
    }
}

void BenchColorWork()
{
    std::printf("\nColour work, ns per pixel (960 x 540 / 1920 x 1080)\n");
    const struct {
        const char* name;
        std::unique_ptr<XImage> (*make)(int, int);
        bool reduce;
    } cases[] = {
        {"Count Colors 24-bit noise", [](int w, int h) { return MakeNoise(w, h); }, false},
        {"Count Colors 24-bit", [](int w, int h) { return MakePicture(w, h, 24, 200); }, false},
        {"Count Colors 8-bit", [](int w, int h) { return MakePicture(w, h, 8, 200); }, false},
        {"Reduce Colors 24 -> 8", [](int w, int h) { return MakePicture(w, h, 24, 200); }, true},
        {"Reduce Colors 8 -> 4", [](int w, int h) { return MakePicture(w, h, 8, 16); }, true},
    };
    for (const auto& c : cases) {
        double perPixel[2];
        for (int size = 0; size < 2; ++size) {
            const int w = size ? 1920 : 960, h = size ? 1080 : 540;
            auto image = c.make(w, h);
            const double ms = BestMilliseconds([&] {
                if (c.reduce) {
                    Require(ReduceColors(*image), c.name);
                } else {
                    uint32_t count = 0;
                    if (CountColors(*image, &count) != ImageOpError::kNone) std::exit(1);
                }
            });
            perPixel[size] = ms * 1e6 / (double(w) * h);
        }
        std::printf("  %-26s %6.2f / %6.2f ns\n", c.name, perPixel[0], perPixel[1]);
    }
}
}

int main()
{
    for (int level = int(DetectedSimdLevel()); level >= 0; --level) {
        ForceSimdLevel(SimdLevel(level));
        BenchCopies(24);
        BenchCopies(8);
    }
    ForceSimdLevel(DetectedSimdLevel());
    BenchColorWork();
    return 0;
}
