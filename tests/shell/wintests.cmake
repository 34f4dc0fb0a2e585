# Win32 tests of the capture dispatch under Wine: the dispatch file linked
# with recording stand-ins for the capture engine, the title-bar
# decorations and the application globals, and with the real hook library
# and settings store. Run by CTest through the cross-compiling emulator.
file(GLOB KESTREL_DISPATCH_WINTESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/shell/win32/*.cpp)
add_executable(kestrel_dispatch_wintests ${KESTREL_DISPATCH_WINTESTS}
  ${CMAKE_SOURCE_DIR}/shell/CaptureDispatch_win.cpp
  ${CMAKE_SOURCE_DIR}/capture/CaptureState.cpp
  ${CMAKE_SOURCE_DIR}/capture/BringForward_win.cpp)
target_include_directories(kestrel_dispatch_wintests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(kestrel_dispatch_wintests PRIVATE kestrel_core kesthook gtest gtest_main comctl32 gdi32 user32)
target_link_options(kestrel_dispatch_wintests PRIVATE ${KESTREL_STATIC_LINK})
add_test(NAME dispatch_win32_tests COMMAND kestrel_dispatch_wintests)
set_tests_properties(dispatch_win32_tests PROPERTIES TIMEOUT 120)

# The hook library's own test loads kesthook.dll from beside the program.
if(TARGET kestrel_win32_tests)
  add_dependencies(kestrel_win32_tests kesthook)
endif()
