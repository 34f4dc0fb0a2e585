// Names of a capture: the name string of each capture mode, which titles
// its image window, and the file names of the Send To File destination:
// the automatic numbering of Augment Filename, the name of Filename by Time
// and the full path built from the stored folder.
#pragma once

#include <functional>
#include <string>

// The name string id of a capture of mode (its TriggerCode): Screen,
// Window, Region, Title & Menu, Freehand, Pointer or Button Capture; 0 for
// a code that captures nothing itself.
unsigned CaptureOriginId(int mode);

// The stored name advanced for the next capture: the character just before
// the first dot is incremented when it is a decimal digit; a digit passing
// nine becomes zero and carries into the character before it while that is
// a digit; a carry into a non-digit (or past the start) is dropped.
// IMG0009.BMP -> IMG0010.BMP, IMG99.BMP -> IMG00.BMP, IMG.BMP unchanged.
// A name without a dot, or starting with one, has nothing to advance.
std::string AugmentFileName(const std::string& name);

// "%02d%02d%02d%02d" of day of month, hour, minute and second, followed by
// the old name's extension from its last dot on (dot included; none when
// the old name has no dot).
std::string FileNameByTime(const std::string& oldName, int day, int hour, int minute, int second);

// folder, a backslash unless folder already ends in one, and name.
std::string SendToFilePath(const std::string& folder, const std::string& name);

// The first name of the numbering that starts at name (name, then each
// AugmentFileName of the one before) that taken refuses; empty when the
// numbering comes back round, or cannot advance, without a free name.
std::string FreeFileName(const std::string& name, const std::function<bool(const std::string&)>& taken);
