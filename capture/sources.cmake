# Capture engine. Portable geometry, naming and options are unit-tested on
# the host; the rest talks to the display and builds only into kestrel.exe.
list(APPEND KESTREL_PORTABLE_SOURCES
  capture/CaptureOptions.cpp
  capture/CaptureGeometry.cpp
  capture/CaptureNaming.cpp
  capture/FlashGeometry.cpp)
list(APPEND KESTREL_WIN32_SOURCES)
