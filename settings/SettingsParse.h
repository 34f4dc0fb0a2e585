// Value syntax of the settings file, free of any file access: the list
// reader (the same splitting as strtok with "," and the same conversion as
// atoi, but without atoi's undefined overflow), the list writer, the
// modifier encoding of the SystemKey keys, the font value (thirteen numbers
// and a face name) and the bare file name of the send-to file.
// The settings store (Settings.h) feeds these with profile strings.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// atoi: leading white space, an optional sign, decimal digits up to the
// first other character; no digits gives 0. Values beyond the int range
// saturate instead of overflowing.
int ParseInt(const char* text);

// Fills values[0..count) from a comma-separated list. Runs of commas are
// one separator and leading commas are skipped, so empty fields do not
// exist. An empty list, or one made only of commas, gives every field its
// default; otherwise each listed field is converted and the missing
// trailing ones take their defaults. Fields beyond count are ignored.
// Returns the number of fields the text held (0 when all are defaults).
int ReadIntList(const char* text, const int* defaults, int* values, int count);

// "%d,%d,...": the values in order, comma-separated, no blanks.
std::string FormatIntList(const int* values, int count);

// Modifier states of a hotkey: the file holds 1 for "held", which becomes
// -1 in memory. Anything but 1 is kept as it is; only 0 and -1 can ever
// match a key press.
int SystemKeyFromFile(int fileValue);
int SystemKeyToFile(int state);

// A logical font as the settings file stores it: height, width,
// escapement, orientation, weight, then the eight byte fields (italic,
// underline, strike-out, character set, output precision, clip precision,
// quality, pitch and family), then the face name.
const int kFontNumbers = 13;
const int kFontFirstByteField = 5;
const size_t kFaceNameMax = 31;  // LF_FACESIZE less the terminator

struct FontValue {
    int32_t numbers[kFontNumbers] = {};
    std::string face;
};

// Applies a stored font value to font. An empty value (key missing) sets
// only the face "Arial" and missingHeight; the other fields keep what they
// held. Listed numbers replace the fields in order (byte fields keep their
// low 8 bits); the face is the text after the thirteenth number's
// separator, cut to 31 characters, and "Arial" when there is none.
void ReadFontValue(const char* text, int32_t missingHeight, FontValue* font);
// The thirteen numbers each followed by a comma, then the face name.
std::string FormatFontValue(const FontValue& font);

// The file name part of a stored send-to name: everything after the last
// backslash, slash or drive colon, so a stored value can never point the
// capture file into another folder. An empty result gives fallback.
std::string BareFileName(const std::string& name, const char* fallback);

// Clamps for values that are used as stored but must stay in range where
// they are used.
int ClampInt(int value, int low, int high);

}  // namespace settings
