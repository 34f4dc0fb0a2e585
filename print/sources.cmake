# Printing. The page geometry, strips, colour tables, date formats and
# macros are portable and unit-tested on the host; the print settings
# sheet, preview and job that use them talk to the printer in kestrel.exe.
list(APPEND KESTREL_PORTABLE_SOURCES
  print/DateTimeStyle.cpp
  print/Macros.cpp
  print/PageLayout.cpp
  print/PrintJobRules.cpp
  print/PrintPalette.cpp
  print/PrintPixels.cpp
  print/PrintStrips.cpp)
list(APPEND KESTREL_WIN32_SOURCES
  print/CurrentPrinter_win.cpp
  print/DateTimeDialog_win.cpp
  print/PageTexts_win.cpp
  print/PrintCommands_win.cpp
  print/PrintFlatten_win.cpp
  print/PrintJob_win.cpp
  print/PrintProgressDialog_win.cpp
  print/PrintSheetPages_win.cpp
  print/PrintSheet_win.cpp)
