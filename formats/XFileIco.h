// Icon (.ico) and cursor (.cur) files, read only. Both are an icon
// directory in front of bitmap images and share one reader; they differ
// only in the image a two-image file shows (see XFileIcoImage.h). The image
// comes out with its transparent pixels white and its inverting pixels
// black.
#pragma once

#include "ImageReader.h"
#include "XFileIcoImage.h"

class IconFileReader : public ImageReader<IconError> {
protected:
    explicit IconFileReader(bool isCursor) : m_bCursor(isCursor) {}

private:
    Error DecodeFile(XImage* image, const BYTE* data, size_t size) override
    {
        return DecodeIconFile(data, size, m_bCursor, image);
    }

    bool m_bCursor;
};

class XFileIco : public IconFileReader {
public:
    XFileIco() : IconFileReader(false) {}
};

class XFileCur : public IconFileReader {
public:
    XFileCur() : IconFileReader(true) {}
};
