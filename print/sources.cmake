# Printing. The page geometry, strips, colour tables, date formats and
# macros are portable and unit-tested on the host; the print settings
# sheet, preview and job that use them talk to the printer in kestrel.exe.
list(APPEND KESTREL_PORTABLE_SOURCES
  print/DateTimeStyle.cpp
  print/Macros.cpp
  print/PageLayout.cpp
  print/PrintJobRules.cpp
  print/PrintPalette.cpp
  print/PrintStrips.cpp)
