# Settings layer: the option structs, the key table, the value syntax and
# the store that reads and writes the settings file through a profile.
# Portable, so the whole store is unit-tested and fuzzed natively.
list(APPEND KESTREL_PORTABLE_SOURCES
  settings/KeyTable.cpp
  settings/OptionTable.cpp
  settings/Settings.cpp
  settings/SettingsParse.cpp)
# The INI profile joins the core on Windows, so the Win32 tests can run the
# store against the real profile functions.
if(WIN32)
  list(APPEND KESTREL_PORTABLE_SOURCES settings/SettingsIni_win.cpp)
endif()
