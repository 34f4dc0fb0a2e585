# Application shell. Portable: settings value syntax and store, hotkey
# matching, countdown and meter arithmetic. Win32: the settings file, the
# capture dispatch and the frame and application files.
list(APPEND KESTREL_PORTABLE_SOURCES
  shell/SettingsParse.cpp
  shell/HotKey.cpp
  shell/Countdown.cpp
  shell/Meter.cpp
  shell/Settings.cpp)
# The INI profile joins the core on Windows, so the Win32 tests can run the
# store against the real profile functions.
if(WIN32)
  list(APPEND KESTREL_PORTABLE_SOURCES shell/SettingsIni_win.cpp)
endif()
list(APPEND KESTREL_WIN32_SOURCES
  shell/Settings_win.cpp
  shell/SettingsCommands_win.cpp
  shell/CaptureDispatch_win.cpp
  shell/CaptureDispatchSeams_win.cpp
  shell/ProgressMeter_win.cpp
  shell/TitleBarSeams_win.cpp)
# Application object, main frame, image window frame and their seams.
list(APPEND KESTREL_PORTABLE_SOURCES shell/XMainFramePanes.cpp)
list(APPEND KESTREL_WIN32_SOURCES
  shell/XAbout.cpp
  shell/XApp.cpp
  shell/XAppSeams.cpp
  shell/XMDIChildWnd.cpp
  shell/XMainFrame.cpp)
# The entry point stays out of the library the Win32 tests link.
set(KESTREL_WIN32_MAIN shell/XAppMain_win.cpp)
