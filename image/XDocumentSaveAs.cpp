// The save dialog's format decision.
#include "XDocumentSaveAs.h"

#include "../formats/ImageFile.h"

SaveChoice ChooseSaveFormat(const std::string& typedPath, int filterIndex)
{
    SaveChoice choice = {typedPath, 0};
    if (!SaveFormatExtension(filterIndex)) filterIndex = kSaveBmp;
    size_t nameStart = typedPath.find_last_of("\\/:");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    if (typedPath.find('.', nameStart) == std::string::npos)
        choice.path += std::string(".") + SaveFormatExtension(filterIndex);
    std::string extension = LowerExtension(choice.path.c_str());
    choice.format = SaveFormatForExtension(extension);
    // "gif" means the interlaced writer when that filter was chosen.
    if (choice.format == kSaveGif && filterIndex == kSaveGifInterlaced) choice.format = kSaveGifInterlaced;
    return choice;
}
