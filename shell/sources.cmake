# Application shell. Portable: hotkey matching, countdown and meter
# arithmetic. Win32: the program's settings (file, full load), the capture
# dispatch and the frame and application files.
list(APPEND KESTREL_PORTABLE_SOURCES
  shell/HotKey.cpp
  shell/Countdown.cpp
  shell/Meter.cpp)
# Title-bar clock and snapshot strip: clock texts, caption placement, the
# strip table and hit test, the button pictures; the Image Info texts.
list(APPEND KESTREL_PORTABLE_SOURCES
  shell/ClockFormat.cpp
  shell/CaptionPlacement.cpp
  shell/SnapshotStrip.cpp
  shell/SnapshotGlyphs.cpp
  shell/ImageInfo.cpp)
list(APPEND KESTREL_WIN32_SOURCES
  shell/AppSettings_win.cpp
  shell/WindowClasses_win.cpp
  shell/SettingsCommands_win.cpp
  shell/OptionCommands_win.cpp
  shell/CaptureDispatch_win.cpp
  shell/CaptureOutlets_win.cpp
  shell/SaveCaptureAs_win.cpp
  shell/ProgressMeter_win.cpp
  shell/TitleBarSeams_win.cpp
  shell/TitleBar_win.cpp
  shell/SnapshotBitmaps_win.cpp
  shell/ClockDialog_win.cpp
  shell/SnapshotButtonDialog_win.cpp
  shell/ImageInfoDialog_win.cpp)
# Application object, main frame, image window frame and the print commands.
list(APPEND KESTREL_PORTABLE_SOURCES shell/XMainFramePanes.cpp)
list(APPEND KESTREL_WIN32_SOURCES
  shell/XAbout.cpp
  shell/XApp.cpp
  shell/XMDIChildWnd.cpp
  shell/XMainFrame.cpp
  shell/XMainFramePrint_win.cpp)
# The entry point stays out of the library the Win32 tests link.
set(KESTREL_WIN32_MAIN shell/XAppMain_win.cpp)
