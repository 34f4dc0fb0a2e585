# Win32 tests of the capture core under Wine: their own program, so that
# the capture files can be linked with small stand-ins for the image's
# conversion and the application globals instead of the whole program. Run by CTest through the cross-compiling emulator.
set(KESTREL_CAPTURE_WIN32_TESTED
  capture/BringForward_win.cpp
  capture/CaptureState.cpp
  capture/CaptureSeams.cpp
  capture/CoverWindow_win.cpp
  capture/FinishCapture_win.cpp
  capture/Flash_win.cpp
  capture/HideWindows_win.cpp
  capture/ScreenGrab_win.cpp
  capture/Tracking_win.cpp
  image/ImageHandover_win.cpp)
list(TRANSFORM KESTREL_CAPTURE_WIN32_TESTED PREPEND ${CMAKE_SOURCE_DIR}/)
file(GLOB KESTREL_CAPTURE_WINTESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/capture/win32/*.cpp)
add_executable(kestrel_capture_wintests ${KESTREL_CAPTURE_WINTESTS} ${KESTREL_CAPTURE_WIN32_TESTED})
target_include_directories(kestrel_capture_wintests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(kestrel_capture_wintests PRIVATE kestrel_core kesthook gtest gtest_main gdi32 user32)
target_link_options(kestrel_capture_wintests PRIVATE ${KESTREL_STATIC_LINK})
add_test(NAME capture_win32_tests COMMAND kestrel_capture_wintests)
# It hides every visible window of its Wine desktop for a moment: run alone.
set_tests_properties(capture_win32_tests PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)

# Timing of the grab at the screen's size (built, not run by the tests).
add_executable(capture_grab_bench ${CMAKE_SOURCE_DIR}/tests/capture/bench/capture_grab_bench.cpp
  ${CMAKE_SOURCE_DIR}/capture/CaptureState.cpp ${CMAKE_SOURCE_DIR}/capture/ScreenGrab_win.cpp
  ${CMAKE_SOURCE_DIR}/capture/CaptureSeams.cpp ${CMAKE_SOURCE_DIR}/capture/FinishCapture_win.cpp
  ${CMAKE_SOURCE_DIR}/capture/BringForward_win.cpp
  ${CMAKE_SOURCE_DIR}/capture/Flash_win.cpp ${CMAKE_SOURCE_DIR}/capture/HideWindows_win.cpp
  ${CMAKE_SOURCE_DIR}/capture/CoverWindow_win.cpp ${CMAKE_SOURCE_DIR}/image/ImageHandover_win.cpp
  ${CMAKE_SOURCE_DIR}/tests/capture/win32/CaptureTestSupport.cpp)
target_include_directories(capture_grab_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(capture_grab_bench PRIVATE kestrel_core gdi32 user32)
target_link_options(capture_grab_bench PRIVATE ${KESTREL_STATIC_LINK})
