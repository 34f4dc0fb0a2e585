# Capture engine. Portable geometry and naming are unit-tested on the
# host; the rest talks to the display and builds only into kestrel.exe.
list(APPEND KESTREL_PORTABLE_SOURCES
  capture/CaptureGeometry.cpp
  capture/CaptureNaming.cpp
  capture/CaptureSetup.cpp
  capture/FlashGeometry.cpp)
list(APPEND KESTREL_WIN32_SOURCES
  capture/BringForward_win.cpp
  capture/CaptureFile_win.cpp
  capture/CaptureKinds_win.cpp
  capture/CaptureState.cpp
  capture/CaptureImageOptions.cpp
  capture/CaptureSetupPages_win.cpp
  capture/CaptureSetupSamples_win.cpp
  capture/CaptureSetupSheet_win.cpp
  capture/CoverWindow_win.cpp
  capture/FinishCapture_win.cpp
  capture/Flash_win.cpp
  capture/HideWindows_win.cpp
  capture/ScreenGrab_win.cpp
  capture/Tracking_win.cpp)
