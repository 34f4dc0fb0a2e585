// Header, footer and notes drawing (see PageTexts.h).
#include "PageTexts.h"

#include "Macros.h"

#include "../framework/GdiHandles.h"
#include "../framework/Window.h"
#include "../image/XImage.h"
#include "../resources/resource.h"

#include <cstdlib>
#include <cstring>

DateTimeStyle DateTimeStyleOf(const PrintTimeDateOptions& o)
{
    DateTimeStyle style;
    style.abbreviate = o.abbreviation != 0;
    style.amPm = o.amPm != 0;
    style.century = o.century != 0;
    style.hours24 = o.hour24 != 0;
    style.dateOrder = o.dateOrder;
    style.alphaMonth = o.monthForm != 0;
    style.seconds = o.seconds != 0;
    style.separator = o.separator;
    style.upperCase = o.upperCase != 0;
    style.weekday = o.weekday != 0;
    return style;
}

DateTimeNames LoadDateTimeNames()
{
    DateTimeNames names;
    for (int i = 0; i < 12; ++i) names.months[i] = LoadResourceString(UINT(IDS_MONTH_FIRST + i));
    for (int i = 0; i < 7; ++i) names.weekdays[i] = LoadResourceString(UINT(IDS_WEEKDAY_FIRST + i));
    return names;
}

std::string ExpandPageText(const std::string& text, const XImage* image, const PrintTimeDateOptions& dateTime)
{
    MacroSource source;
    LocalTimeOf(0, &source.printTime);
    if (image) {
        // A stamp the platform cannot convert leaves the file macros as typed.
        source.hasImage = LocalTimeOf(image->m_tStamp, &source.fileTime);
        source.fileName = image->m_strTitle;
        source.width = image->m_nWidth;
        source.height = image->m_nHeight;
    }
    return ExpandMacros(text, source, DateTimeStyleOf(dateTime), LoadDateTimeNames());
}

LOGFONTA PrinterFont(const settings::FontValue& font, int printerDpi, int screenDpi)
{
    LOGFONTA lf = LogFontOf(font);
    lf.lfHeight = PrinterFontHeight(lf.lfHeight, printerDpi, screenDpi);
    if (lf.lfWidth != 0) lf.lfWidth = PrinterFontHeight(lf.lfWidth, printerDpi, screenDpi);
    return lf;
}

LOGFONTA LogFontOf(const settings::FontValue& font)
{
    LOGFONTA lf = {};
    const int32_t* n = font.numbers;
    lf.lfHeight = n[0];
    lf.lfWidth = n[1];
    lf.lfEscapement = n[2];
    lf.lfOrientation = n[3];
    lf.lfWeight = n[4];
    lf.lfItalic = BYTE(n[5]);
    lf.lfUnderline = BYTE(n[6]);
    lf.lfStrikeOut = BYTE(n[7]);
    lf.lfCharSet = BYTE(n[8]);
    lf.lfOutPrecision = BYTE(n[9]);
    lf.lfClipPrecision = BYTE(n[10]);
    lf.lfQuality = BYTE(n[11]);
    lf.lfPitchAndFamily = BYTE(n[12]);
    strncpy(lf.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
    return lf;
}

namespace {

void DrawLine(HDC dc, const RECT& rc, const std::string* parts, const PageTextSource& source)
{
    static const UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int i = 0; i < 3; ++i) {
        if (parts[i].empty()) continue;
        std::string text = ExpandPageText(parts[i], source.image, source.dateTime);
        RECT box = rc;
        DrawTextA(dc, text.c_str(), int(text.size()), &box, kAlign[i] | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
    }
}

void DrawNotes(HDC dc, const PageLayout& layout, const PageTextSource& source, long lineHeight)
{
    std::string text = ExpandPageText(source.note, source.image, source.dateTime);
    static const UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    const int alignment = source.print.notesAlignment >= 0 && source.print.notesAlignment <= 2
                              ? source.print.notesAlignment : 0;
    const UINT format = kAlign[alignment] | DT_WORDBREAK | DT_NOPREFIX;
    NotesPlacement placement;
    placement.above = source.print.notesPlacement == 1;
    placement.pageAligned = source.print.notesFrame == 1;
    RECT measure = NotesRect(layout, placement, lineHeight, 0);
    measure.bottom = measure.top;
    DrawTextA(dc, text.c_str(), int(text.size()), &measure, format | DT_CALCRECT);
    RECT rc = NotesRect(layout, placement, lineHeight, measure.bottom - measure.top);
    DrawTextA(dc, text.c_str(), int(text.size()), &rc, format);
}

}  // namespace

void DrawPageTexts(HDC dc, const PageLayout& layout, const PageTextSource& source, int printerDpi, int screenDpi)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    struct Part {
        bool on;
        const settings::FontValue& font;
    };
    const Part header{source.print.printHeader != 0, source.fonts.header};
    const Part footer{source.print.printFooter != 0, source.fonts.footer};
    const Part notes{source.print.printNotes != 0 && !source.note.empty(), source.fonts.note};
    for (const Part* part : {&header, &footer, &notes}) {
        if (!part->on) continue;
        LOGFONTA lf = PrinterFont(part->font, printerDpi, screenDpi);
        GdiObject<HFONT> font(CreateFontIndirectA(&lf));
        SelectedObject selected(dc, font);
        const long lineHeight = std::labs(lf.lfHeight);
        if (part == &header)
            DrawLine(dc, HeaderRect(layout, lineHeight), source.texts.header, source);
        else if (part == &footer)
            DrawLine(dc, FooterRect(layout, lineHeight), source.texts.footer, source);
        else
            DrawNotes(dc, layout, source, lineHeight);
    }
}
