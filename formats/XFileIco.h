// Icon files (.ico), read only. The image comes out with its transparent
// pixels white and its inverting pixels black (see XFileIcoImage.h).
#pragma once

#include "../image/XImage.h"

#include <cstddef>

class XFileIco {
public:
    explicit XFileIco(XImage* image) : m_pImage(image) {}

    void ReadImage(const char* path);
    void Decode(const BYTE* data, size_t size);

private:
    void Fail(UINT id);

    XImage* m_pImage;
};
