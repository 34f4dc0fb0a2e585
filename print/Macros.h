// Macro expansion of the header, footer and notes texts printed with an
// image and drawn in the print preview: $printdate/$pdate,
// $printtime/$ptime, $filedate/$fdate, $filetime/$ftime, $filename/$fname
// and $resolution/$res.
//
// The Win32 side feeds: the print time (now) and the image's time stamp as
// local times (LocalTimeOf), the image's title (m_strTitle) and size, the
// stored date/time options and the month and weekday names from the string
// table. Without a current image (hasImage false) the file and size macros
// stay in the text as typed.
#pragma once

#include "DateTimeStyle.h"

#include <ctime>
#include <string>

struct MacroSource {
    std::tm printTime = {};  // local time of the print
    bool hasImage = false;   // false: $filedate ... $resolution stay as typed
    std::tm fileTime = {};   // local time of the image's time stamp
    std::string fileName;    // the image's title: file path or capture/operation name
    long width = 0;          // image size in pixels
    long height = 0;
};

// One row of the macro table: the long form is searched first.
struct PrintMacro {
    const char* longForm;
    const char* shortForm;
};

// The six rows in their search order: print date, print time, file date,
// file time, file name, resolution.
extern const PrintMacro kPrintMacros[6];

// Replaces, row by row in the table's order, the first occurrence of the
// row's long form (or, when the text has none, of its short form) by its
// value. Matching ignores ASCII case; the rest of the text keeps its case.
std::string ExpandMacros(const std::string& text, const MacroSource& source, const DateTimeStyle& style,
                         const DateTimeNames& names);
