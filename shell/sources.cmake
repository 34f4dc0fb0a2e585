# Application shell. Portable: settings value syntax, hotkey matching,
# countdown and meter arithmetic. Win32: the settings store, the capture
# dispatch and the frame and application files.
list(APPEND KESTREL_PORTABLE_SOURCES
  shell/SettingsParse.cpp
  shell/HotKey.cpp
  shell/Countdown.cpp
  shell/Meter.cpp
  shell/Settings.cpp)
