// FST files keep the note at 16 + H + D: after the 16-byte header (magic
// 0xFF01, width, height and bit count as u16, pixel data size D and note
// length N as u32), the header block of H bytes for the bit count, and the
// D bytes of pixel data. Lengths from the file are cut to the bytes present.
#include "NoteFile.h"

#include "ImageFile.h"
#include "ImageFileBytes.h"

#include "../framework/File.h"
#include "../framework/GlobalBlock.h"

#include <cstring>

namespace {
const size_t kFstHeaderSize = 16;

// A zero-filled block of length + 1 bytes holding bytes.
HGLOBAL TerminatedCopy(const BYTE* bytes, size_t length)
{
    OwnedBlock block;
    if (length == SIZE_MAX || !block.Allocate(length + 1)) return nullptr;
    {
        LockedBlock<BYTE> text(block.get());
        if (!text) return nullptr;
        if (length) std::memcpy(text.get(), bytes, length);
    }
    return block.release();
}

HGLOBAL FstNote(const BYTE* data, size_t size)
{
    if (size < kFstHeaderSize || LoadU16(data) != 0xFF01) return nullptr;
    const uint64_t headerBlock = XImage::InfoSizeFor(LoadU16(data + 6));
    const uint64_t noteAt = kFstHeaderSize + headerBlock + LoadU32(data + 8);
    const uint64_t length = LoadU32(data + 12);
    if (length == 0 || noteAt >= size) return nullptr;
    const uint64_t present = size - noteAt < length ? size - noteAt : length;
    return TerminatedCopy(data + noteAt, size_t(present));
}
}

std::string NotePathFor(const char* imagePath)
{
    std::string path(imagePath);
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return path + ".txt";
    return path.substr(0, dot + 1) + "txt";
}

bool WriteNoteText(const char* imagePath, const char* text, size_t length)
{
    if (length == 0) return true;
    File file;
    if (!file.Open(NotePathFor(imagePath).c_str(), File::ForWriting)) return false;
    const char terminator = 0;
    file.Write(text, length);
    file.Write(&terminator, 1);
    file.Close();
    return !file.WriteFailed();
}

HGLOBAL ReadNoteText(const char* imagePath)
{
    const bool fst = LowerExtension(imagePath) == "fst";
    ImageFileBytes bytes;
    if (bytes.Load(fst ? imagePath : NotePathFor(imagePath).c_str()) != ImageFileBytes::Loaded) return nullptr;
    if (fst) return FstNote(bytes.Data(), bytes.Size());
    return TerminatedCopy(bytes.Data(), bytes.Size());
}
