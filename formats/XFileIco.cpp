#include "XFileIco.h"

#include "ImageFileBytes.h"
#include "XFileIcoImage.h"

#include "../resources/resource.h"

void XFileIco::Fail(UINT id)
{
    m_pImage->FreeBlocks();
    m_pImage->m_nOriginId = id;
}

void XFileIco::ReadImage(const char* path)
{
    ImageFileBytes bytes;
    switch (bytes.Load(path)) {
    case ImageFileBytes::Loaded: Decode(bytes.Data(), bytes.Size()); break;
    case ImageFileBytes::CannotRead: Fail(IDS_UNSUPPORTED_ICO); break;
    case ImageFileBytes::OutOfMemory: Fail(IDS_INSUFFICIENT_MEMORY); break;
    }
}

void XFileIco::Decode(const BYTE* data, size_t size)
{
    switch (DecodeIconFile(data, size, false, m_pImage)) {
    case IconResult::Decoded: break;
    case IconResult::Unsupported: Fail(IDS_UNSUPPORTED_ICO); break;
    case IconResult::OutOfMemory: Fail(IDS_INSUFFICIENT_MEMORY); break;
    }
}
