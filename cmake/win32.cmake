# Win32 build: the program, the hook library and the tests that run under Wine.
set(KESTREL_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_library(kesthook SHARED ${KESTREL_HOOK_SOURCES})
set_target_properties(kesthook PROPERTIES PREFIX "" OUTPUT_NAME kesthook)
target_include_directories(kesthook PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(kesthook PRIVATE ${KESTREL_STATIC_LINK})

add_executable(kestrel WIN32 ${KESTREL_WIN32_SOURCES})
target_link_libraries(kestrel PRIVATE kestrel_core kesthook comctl32 comdlg32 gdi32 user32 shell32 winspool)
target_link_options(kestrel PRIVATE ${KESTREL_STATIC_LINK})

# GoogleTest from Debian's source package, built for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

file(GLOB KESTREL_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/*_wintest.cpp)
if(KESTREL_WIN32_TESTS)
  add_executable(kestrel_win32_tests ${KESTREL_WIN32_TESTS})
  target_link_libraries(kestrel_win32_tests PRIVATE kestrel_core gtest gtest_main gdi32 user32)
  target_link_options(kestrel_win32_tests PRIVATE ${KESTREL_STATIC_LINK})
  add_test(NAME win32_tests COMMAND kestrel_win32_tests)
endif()

include(tests/e2e/scenarios.cmake OPTIONAL)
