# Timing of the grab at the screen's size (built, not run by the tests),
# linked with the program's own objects.
add_executable(capture_grab_bench ${CMAKE_SOURCE_DIR}/tests/capture/bench/capture_grab_bench.cpp)
target_link_libraries(capture_grab_bench PRIVATE ${KESTREL_WIN32_LIBS})
target_link_options(capture_grab_bench PRIVATE ${KESTREL_STATIC_LINK})
