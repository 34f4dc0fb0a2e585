// Extension and format-index tables of the dispatch. A format joins by one
// row in each table its class serves.
#include "ImageFile.h"

#include "XFileBmp.h"
#include "XFileClp.h"
#include "XFileCur.h"
#include "XFileFst.h"
#include "XFileGif.h"
#include "XFileIco.h"
#include "XFileJpg.h"
#include "XFilePcx.h"
#include "XFileTif.h"
#include "XFileWpg.h"

#include "../resources/resource.h"

#include <cstring>

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
    static const char* const kExtensions[] = {"bmp", "clp", "dib", "fst", "gif", "",
                                              "jpg", "pcx", "rle", "tif", "wpg"};
    for (int i = 0; i < int(sizeof kExtensions / sizeof kExtensions[0]); ++i)
        if (kExtensions[i][0] && extension == kExtensions[i]) return i + 1;
    return 0;
}

void ReadImageFile(XImage* image, const char* path)
{
    const std::string extension = LowerExtension(path);
    if (extension == "bmp" || extension == "dib" || extension == "rle")
        XFileBmp(image).ReadImage(path);
    else if (extension == "clp")
        XFileClp(image).ReadImage(path);
    else if (extension == "cur")
        XFileCur(image).ReadImage(path);
    else if (extension == "fst")
        XFileFst(image).ReadImage(path);
    else if (extension == "gif")
        XFileGif(image).ReadImage(path);
    else if (extension == "ico")
        XFileIco(image).ReadImage(path);
    else if (extension == "jpg")
        XFileJpg(image).ReadImage(path);
    else if (extension == "pcx")
        XFilePcx(image).ReadImage(path);
    else if (extension == "tif")
        XFileTif(image).ReadImage(path);
    else if (extension == "wpg")
        XFileWpg(image).ReadImage(path);
}

// The id of the message for a format that cannot hold the image's bit
// count; 0 when it can. Checked before any writer creates its file.
static UINT RefusalFor(int formatIndex, int bitCount)
{
    switch (formatIndex) {
    case kSaveGif:
    case kSaveGifInterlaced: return bitCount == 24 ? IDS_GIF_NO_24BIT : 0;
    case kSaveWpg: return bitCount == 24 ? IDS_WPG_NO_24BIT : 0;
    case kSaveJpg: return bitCount < 8 ? IDS_JPG_NO_4BIT : 0;
    default: return 0;
    }
}

void WriteImageFile(XImage* image, const char* path, int formatIndex)
{
    if (UINT refusal = RefusalFor(formatIndex, image->m_nBitCount)) {
        image->m_nOriginId = refusal;
        return;
    }
    switch (formatIndex) {
    case kSaveBmp:
    case kSaveDib:
        XFileBmp(image).WriteImage(path);
        break;
    case kSaveClp:
        XFileClp(image).WriteImage(path);
        break;
    case kSaveGif:
    case kSaveGifInterlaced:
        XFileGif(image).WriteImage(path, formatIndex == kSaveGifInterlaced);
        break;
    case kSaveRle:
        XFileBmp(image).WriteRleImage(path);
        break;
    case kSaveJpg:
        XFileJpg(image).WriteImage(path);
        break;
    case kSaveFst:
        XFileFst(image).WriteImage(path);  // no note: a caller with notepad text calls XFileFst itself
        break;
    case kSavePcx:
        XFilePcx(image).WriteImage(path);
        break;
    case kSaveTif:
        XFileTif(image).WriteImage(path);
        break;
    case kSaveWpg:
        XFileWpg(image).WriteImage(path);
        break;
    default:
        break;
    }
}
