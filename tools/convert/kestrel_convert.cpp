// kestrel-convert: converts image files through the program's own readers
// and writers (the format dispatch), for batch use and for the interop
// tests that check the codecs against independent tools.
//
//   kestrel-convert IN OUT [FORMAT-INDEX]   read IN by its extension, write
//                                           OUT with the writer of the index,
//                                           or of OUT's extension as the save
//                                           dialog maps it
//   kestrel-convert --info IN               print width, height and bit count
//
// Failures print the program's message text (usage errors the usage) and
// exit with status 1.
#include "../../formats/ImageFile.h"
#include "../../resources/StringTable.h"
#include "../../resources/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
int Usage()
{
    std::fputs("usage: kestrel-convert IN OUT [FORMAT-INDEX] | --info IN\n", stderr);
    return 1;
}

int Failure(unsigned id)
{
    if (const char* text = StringTableText(id))
        std::fprintf(stderr, "%s\n", text);
    else
        std::fprintf(stderr, "error %u\n", id);
    return 1;
}

// Reads path; an unknown extension has no message of its own.
bool Read(XImage& image, const char* path, int& status)
{
    const UINT failure = ReadImageFile(&image, path);
    if (image.m_hBits) return true;
    status = Failure(failure ? failure : IDS_UNRECOGNIZED_FORMAT);
    return false;
}

bool Exists(const char* path)
{
    std::FILE* fp = std::fopen(path, "rb");
    if (fp) std::fclose(fp);
    return fp != nullptr;
}

bool ParseIndex(const char* text, int& index)
{
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end || value < 1 || value > kSavePng) return false;
    index = int(value);
    return true;
}
}

int main(int argc, char** argv)
{
    int status = 0;
    if (argc == 3 && std::strcmp(argv[1], "--info") == 0) {
        XImage image;
        if (!Read(image, argv[2], status)) return status;
        std::printf("%d %d %d\n", int(image.m_nWidth), int(image.m_nHeight), int(image.m_nBitCount));
        return 0;
    }
    if (argc != 3 && argc != 4) return Usage();

    int index = 0;
    if (argc == 4) {
        if (!ParseIndex(argv[3], index)) return Usage();
    } else {
        index = SaveFormatForExtension(LowerExtension(argv[2]));
        if (index == 0) return Failure(IDS_UNRECOGNIZED_FORMAT);
    }
    XImage image;
    if (!Read(image, argv[1], status)) return status;
    const bool existed = Exists(argv[2]);
    const UINT failure = WriteImageFile(image, argv[2], index);
    if (failure) {
        // A writer that created the file leaves it partly written; a file
        // that was there before may have been refused untouched, so only a
        // new one is removed.
        if (!existed) std::remove(argv[2]);
        return Failure(failure);
    }
    return 0;
}
