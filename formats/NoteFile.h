// The companion note of an image file: a text file beside the image (same
// path, extension "txt"), or for FST files the note stored inside the image
// file after its pixel data. This is the file side only; the document takes
// the text block and shows the notepad.
#pragma once

#include "../framework/kernel.h"

#include <cstddef>
#include <string>

// imagePath with the text after its last dot replaced by "txt" (".txt"
// appended when the name has no dot).
std::string NotePathFor(const char* imagePath);

// Writes length bytes of text and one zero byte to the note file beside
// imagePath. An empty text writes nothing and leaves an existing note file
// as it is. False when the file could not be created or written.
bool WriteNoteText(const char* imagePath, const char* text, size_t length);

// The note that accompanies imagePath as a new zero-filled movable block
// holding the text and at least one terminating zero, owned by the caller;
// null when there is none (no note file, an FST file without a note, a file
// that cannot be read, or memory is short).
HGLOBAL ReadNoteText(const char* imagePath);
