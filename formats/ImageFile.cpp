// The format table and the one mapping from codec errors to messages. A
// format joins by one row per save index (and one row if it is only read);
// the reader of an extension is the one of its first row.
#include "ImageFile.h"

#include "FormatMessages.h"
#include "XFileBmp.h"
#include "XFileClp.h"
#include "XFileFst.h"
#include "XFileGif.h"
#include "XFileIco.h"
#include "XFileJpg.h"
#include "XFilePcx.h"
#include "XFilePng.h"
#include "XFileTif.h"
#include "XFileWpg.h"

#include <cstring>

namespace {
// What every codec error comes to. Each error enum starts with None,
// Unsupported and OutOfMemory; a writer has at most one error more, its
// refusal of the image's bit count.
enum class Fault { None, Unsupported, OutOfMemory, Refused };

template <typename Error>
Fault FaultOf(Error error)
{
    switch (error) {
    case Error::None: return Fault::None;
    case Error::Unsupported: return Fault::Unsupported;
    case Error::OutOfMemory: return Fault::OutOfMemory;
    default: return Fault::Refused;
    }
}

typedef Fault (*Reader)(XImage* image, const char* path);
typedef Fault (*Writer)(const XImage& image, const char* path, const std::string& note);

template <typename Codec>
Fault Read(XImage* image, const char* path)
{
    return FaultOf(Codec().ReadImage(image, path));
}

template <typename Codec>
Fault Write(const XImage& image, const char* path, const std::string&)
{
    return FaultOf(Codec().WriteImage(image, path));
}

Fault WriteRle(const XImage& image, const char* path, const std::string&)
{
    return FaultOf(XFileBmp().WriteRleImage(image, path));
}

Fault WriteGifInterlaced(const XImage& image, const char* path, const std::string&)
{
    return FaultOf(XFileGif().WriteImage(image, path, true));
}

Fault WriteFst(const XImage& image, const char* path, const std::string& note)
{
    return FaultOf(XFileFst().WriteImage(image, path, note.data(), note.size()));
}

struct Format {
    const char* extension;  // lowered, without the dot
    int saveIndex;          // 0: read only
    Reader read;
    Writer write;           // null: read only
    UINT unsupported;       // the format's "Unsupported ... file format."
    UINT refused;           // the writer's refusal of a bit count; 0: none
};

const Format kFormats[] = {
    {"bmp", kSaveBmp, Read<XFileBmp>, Write<XFileBmp>, IDS_UNSUPPORTED_BMP, 0},
    {"clp", kSaveClp, Read<XFileClp>, Write<XFileClp>, IDS_UNSUPPORTED_CLP, 0},
    {"cur", 0, Read<XFileCur>, nullptr, IDS_UNSUPPORTED_CUR, 0},
    {"dib", kSaveDib, Read<XFileBmp>, Write<XFileBmp>, IDS_UNSUPPORTED_BMP, 0},
    {"fst", kSaveFst, Read<XFileFst>, WriteFst, IDS_UNSUPPORTED_FST, 0},
    {"gif", kSaveGif, Read<XFileGif>, Write<XFileGif>, IDS_UNSUPPORTED_GIF, IDS_GIF_NO_24BIT},
    {"gif", kSaveGifInterlaced, Read<XFileGif>, WriteGifInterlaced, IDS_UNSUPPORTED_GIF, IDS_GIF_NO_24BIT},
    {"ico", 0, Read<XFileIco>, nullptr, IDS_UNSUPPORTED_ICO, 0},
    {"jpg", kSaveJpg, Read<XFileJpg>, Write<XFileJpg>, IDS_UNSUPPORTED_JPG, IDS_JPG_NO_4BIT},
    {"jpeg", 0, Read<XFileJpg>, nullptr, IDS_UNSUPPORTED_JPG, 0},
    {"jpe", 0, Read<XFileJpg>, nullptr, IDS_UNSUPPORTED_JPG, 0},
    {"pcx", kSavePcx, Read<XFilePcx>, Write<XFilePcx>, IDS_UNSUPPORTED_PCX, 0},
    {"png", kSavePng, Read<XFilePng>, Write<XFilePng>, IDS_UNSUPPORTED_PNG, 0},
    {"rle", kSaveRle, Read<XFileBmp>, WriteRle, IDS_UNSUPPORTED_BMP, 0},
    {"tif", kSaveTif, Read<XFileTif>, Write<XFileTif>, IDS_UNSUPPORTED_TIF, 0},
    {"tiff", 0, Read<XFileTif>, nullptr, IDS_UNSUPPORTED_TIF, 0},
    {"wpg", kSaveWpg, Read<XFileWpg>, Write<XFileWpg>, IDS_UNSUPPORTED_WPG, IDS_WPG_NO_24BIT},
};

UINT MessageFor(const Format& format, Fault fault)
{
    switch (fault) {
    case Fault::None: return 0;
    case Fault::Unsupported: return format.unsupported;
    case Fault::OutOfMemory: return IDS_INSUFFICIENT_MEMORY;
    case Fault::Refused: return format.refused;
    }
    return 0;
}

const Format* FormatForExtension(const std::string& extension)
{
    for (const Format& format : kFormats)
        if (extension == format.extension) return &format;
    return nullptr;
}

const Format* FormatForSaveIndex(int formatIndex)
{
    for (const Format& format : kFormats)
        if (format.saveIndex != 0 && format.saveIndex == formatIndex) return &format;
    return nullptr;
}
}

std::string LowerExtension(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    if (!dot) return std::string();
    std::string extension(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return extension;
}

int SaveFormatForExtension(const std::string& extension)
{
    for (const Format& format : kFormats)
        if (format.saveIndex != 0 && extension == format.extension) return format.saveIndex;
    return 0;
}

const char* SaveFormatExtension(int formatIndex)
{
    const Format* format = FormatForSaveIndex(formatIndex);
    return format ? format->extension : nullptr;
}

UINT ReadImageFile(XImage* image, const char* path)
{
    const Format* format = FormatForExtension(LowerExtension(path));
    return format ? MessageFor(*format, format->read(image, path)) : 0;
}

UINT WriteImageFile(const XImage& image, const char* path, int formatIndex, const std::string& note)
{
    const Format* format = FormatForSaveIndex(formatIndex);
    return format ? MessageFor(*format, format->write(image, path, note)) : 0;
}
