// Header, footer and notes on a printed page and in the print preview.
// Both draw in printer dots: the job on the printer's device context, the
// preview on a window mapped so that one logical unit is one printer dot,
// so the fonts, rectangles and word wrapping come out the same.
#pragma once

#include "DateTimeStyle.h"
#include "PageLayout.h"

#include "../settings/Options.h"

#include <windows.h>

#include <string>

class XImage;

// What the texts are made of: the stored options and, for the file
// macros, the image being printed (null: they stay as typed).
struct PageTextSource {
    const PrintOptions& print;
    const HeaderFooterOptions& texts;
    const PrintFontOptions& fonts;
    const PrintTimeDateOptions& dateTime;
    const XImage* image;
    const std::string& note;
};

// text with its macros replaced (print time now, file time the image's
// time stamp, names from the string table).
std::string ExpandPageText(const std::string& text, const XImage* image, const PrintTimeDateOptions& dateTime);
// The ten options as the date formatting takes them.
DateTimeStyle DateTimeStyleOf(const PrintTimeDateOptions& options);
DateTimeNames LoadDateTimeNames();

// A stored screen font at the printer's size: its height times the
// printer's horizontal dots per inch over the screen's.
LOGFONTA PrinterFont(const settings::FontValue& font, int printerDpi, int screenDpi);
// A stored font as the font functions take it.
LOGFONTA LogFontOf(const settings::FontValue& font);

// Draws header, footer and notes, each while its "Print with image" option
// is set and its text is not empty. printerDpi and screenDpi convert the
// stored fonts.
void DrawPageTexts(HDC dc, const PageLayout& layout, const PageTextSource& source, int printerDpi, int screenDpi);
