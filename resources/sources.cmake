list(APPEND KESTREL_PORTABLE_SOURCES resources/StringTable.cpp)
# The resource script joins the program and the Win32 tests (strings,
# menus, dialogs, bitmaps).
set(KESTREL_WIN32_RESOURCES resources/kestrel.rc)
