# Capture engine. Portable geometry and naming are unit-tested on the
# host; the rest talks to the display and builds only into kestrel.exe.
list(APPEND KESTREL_PORTABLE_SOURCES
  capture/ButtonSearch.cpp
  capture/CaptureGeometry.cpp
  capture/CaptureNaming.cpp
  capture/CaptureSetup.cpp
  capture/FlashGeometry.cpp
  capture/FreehandStroke.cpp
  capture/MenuGeometry.cpp
  capture/RegionBand.cpp
  capture/WindowGeometry.cpp)
list(APPEND KESTREL_WIN32_SOURCES
  capture/BringForward_win.cpp
  capture/ButtonCapture_win.cpp
  capture/CaptureFile_win.cpp
  capture/CaptureState.cpp
  capture/CaptureImageOptions.cpp
  capture/CaptureSetupPages_win.cpp
  capture/CaptureSetupSamples_win.cpp
  capture/CaptureSetupSheet_win.cpp
  capture/CompositeGrab_win.cpp
  capture/CoverWindow_win.cpp
  capture/EdgeProbe_win.cpp
  capture/FinishCapture_win.cpp
  capture/Flash_win.cpp
  capture/FreehandCapture_win.cpp
  capture/HideWindows_win.cpp
  capture/PointerCapture_win.cpp
  capture/RegionCapture_win.cpp
  capture/ScreenGrab_win.cpp
  capture/SelectionInput_win.cpp
  capture/TitleMenuCapture_win.cpp
  capture/Tracking_win.cpp
  capture/WindowCapture_win.cpp)
