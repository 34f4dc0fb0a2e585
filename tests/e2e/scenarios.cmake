# End-to-end scenarios: the real kestrel.exe under Wine in a virtual desktop,
# watched by kestrel-driver.exe (our own Win32 test driver) in the same
# prefix. Each tests/e2e/scenario_*.py is one CTest test; the scripts share
# tests/e2e/e2e.py. Outputs (logs, screenshots of failures) go to
# <build>/e2e-out/<scenario>/.
add_executable(kestrel-driver ${CMAKE_SOURCE_DIR}/tests/e2e/kestrel_driver.cpp)
target_link_libraries(kestrel-driver PRIVATE user32 gdi32 comctl32)
target_link_options(kestrel-driver PRIVATE ${KESTREL_STATIC_LINK})

file(GLOB KESTREL_E2E_SCENARIOS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/scenario_*.py)
foreach(script ${KESTREL_E2E_SCENARIOS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e_${name} COMMAND /usr/bin/python3 ${script})
  set_tests_properties(e2e_${name} PROPERTIES
    TIMEOUT 300
    LABELS e2e
    ENVIRONMENT "KESTREL_EXE=$<TARGET_FILE:kestrel>;KESTREL_DRIVER=$<TARGET_FILE:kestrel-driver>;KESTREL_E2E_OUT=${CMAKE_BINARY_DIR}/e2e-out;KESTREL_BUILD_DIR=${CMAKE_BINARY_DIR}")
endforeach()
