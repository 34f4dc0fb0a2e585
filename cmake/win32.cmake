# Win32 build: the program, the hook library and the tests that run under Wine.
set(KESTREL_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_library(kesthook SHARED ${KESTREL_HOOK_SOURCES})
set_target_properties(kesthook PROPERTIES PREFIX "" OUTPUT_NAME kesthook)
target_include_directories(kesthook PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(kesthook PRIVATE ${KESTREL_STATIC_LINK})

# Everything of the program but its entry point, so that the Win32 tests
# link the same objects. The core and the Win32 half call each other (the
# image object's GDI half), hence the rescanned link group.
add_library(kestrel_win32 STATIC ${KESTREL_WIN32_SOURCES})
target_include_directories(kestrel_win32 PUBLIC ${CMAKE_SOURCE_DIR})
set(KESTREL_WIN32_LIBS "$<LINK_GROUP:RESCAN,kestrel_win32,kestrel_core>" kesthook
  comctl32 comdlg32 gdi32 user32 shell32 winspool)

# The resource compiler writes no dependency file, so the script's
# included scripts, ids, strings and art are named here.
file(GLOB KESTREL_RESOURCE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc
  ${CMAKE_SOURCE_DIR}/resources/*.inc ${CMAKE_SOURCE_DIR}/resources/*.h ${CMAKE_SOURCE_DIR}/resources/art/*)
set_source_files_properties(${KESTREL_WIN32_RESOURCES} PROPERTIES OBJECT_DEPENDS "${KESTREL_RESOURCE_INPUTS}")

add_executable(kestrel WIN32 ${KESTREL_WIN32_MAIN} ${KESTREL_WIN32_RESOURCES})
target_link_libraries(kestrel PRIVATE ${KESTREL_WIN32_LIBS})
target_link_options(kestrel PRIVATE ${KESTREL_STATIC_LINK})

# GoogleTest from Debian's source package, built for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

# One program holds every Win32 test (tests/*/*_wintest.cpp, with the
# helpers in tests/*/*TestSupport_win.cpp), linked with the program's own
# objects. The tests of the capture engine and its dispatch read the
# screen's pixels and hide every visible window of the Wine desktop for a
# moment, so CTest runs them as a test of their own that runs alone.
file(GLOB KESTREL_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/*_wintest.cpp
  ${CMAKE_SOURCE_DIR}/tests/*/*TestSupport_win.cpp)
if(KESTREL_WIN32_TESTS)
  add_executable(kestrel_win32_tests ${KESTREL_WIN32_TESTS} ${KESTREL_WIN32_RESOURCES})
  target_link_libraries(kestrel_win32_tests PRIVATE ${KESTREL_WIN32_LIBS} gtest gtest_main)
  target_link_options(kestrel_win32_tests PRIVATE ${KESTREL_STATIC_LINK})
  # The hook library's own test loads kesthook.dll from beside the program.
  add_dependencies(kestrel_win32_tests kesthook)
  set(KESTREL_SCREEN_WINTESTS
    "ScreenGrabTest.*:HideWindows.*:Flash.*:SizeReadout.*:FinishCaptureTest.*:TrackingTest.*:Dispatch.*")
  add_test(NAME win32_tests COMMAND kestrel_win32_tests --gtest_filter=-${KESTREL_SCREEN_WINTESTS})
  add_test(NAME capture_win32_tests COMMAND kestrel_win32_tests --gtest_filter=${KESTREL_SCREEN_WINTESTS})
  set_tests_properties(capture_win32_tests PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()

# The benchmarks that also run under Wine, where they time our own code on
# each vector path the processor has (no reference libraries here).
set(KESTREL_WIN32_BENCHES image_ops_bench jpeg_decode_bench jpeg_encode_bench png_bench)
foreach(name ${KESTREL_WIN32_BENCHES})
  add_executable(${name} ${CMAKE_SOURCE_DIR}/bench/${name}.cpp)
  target_link_libraries(${name} PRIVATE kestrel_core)
  target_link_options(${name} PRIVATE ${KESTREL_STATIC_LINK})
endforeach()

include(tests/e2e/scenarios.cmake OPTIONAL)
include(tests/capture/wintests.cmake OPTIONAL)
