# Host build: native unit tests of the portable core, the codec interop
# scripts (independent tools as oracles), benchmarks and fuzz targets.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB KESTREL_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/*_test.cpp)
add_executable(kestrel_unit_tests ${KESTREL_UNIT_TESTS})
target_link_libraries(kestrel_unit_tests PRIVATE kestrel_core GTest::gtest GTest::gtest_main)
target_compile_definitions(kestrel_unit_tests PRIVATE KESTREL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
gtest_discover_tests(kestrel_unit_tests DISCOVERY_TIMEOUT 60)

# tests/<folder>/test_*.py: scripts that check our codecs against Pillow,
# ImageMagick, libtiff and friends through kestrel-convert.
file(GLOB KESTREL_PY_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/test_*.py)
foreach(script ${KESTREL_PY_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME ${name} COMMAND /usr/bin/python3 ${script})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "KESTREL_CONVERT=$<TARGET_FILE:kestrel-convert>;KESTREL_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data")
endforeach()

# Every include keeps to the layers of the source folders.
add_test(NAME test_layers COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/test_layers.py)

# bench/*_bench.cpp: one program each, built but not run by the tests. The
# reference libraries they race against exist only here, so each keeps its
# reference code under KESTREL_BENCH_REFERENCES.
file(GLOB KESTREL_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
foreach(source ${KESTREL_BENCHES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE kestrel_core)
  target_compile_options(${name} PRIVATE -O2)
  target_compile_definitions(${name} PRIVATE KESTREL_BENCH_REFERENCES)
endforeach()
if(TARGET gif_bench)
  target_link_libraries(gif_bench PRIVATE gif)
endif()
foreach(name jpeg_decode_bench jpeg_encode_bench)
  target_link_libraries(${name} PRIVATE turbojpeg)
endforeach()
if(TARGET tif_bench)
  target_link_libraries(tif_bench PRIVATE tiff)
endif()
if(TARGET png_bench)
  target_link_libraries(png_bench PRIVATE png deflate)
endif()

# tests/fuzz/fuzz_*.cpp: libFuzzer targets, with clang and -DKESTREL_FUZZ=ON.
if(KESTREL_FUZZ)
  # Coverage feedback from the codecs themselves, not only from the targets.
  target_compile_options(kestrel_core PRIVATE -fsanitize=fuzzer-no-link)
  file(GLOB KESTREL_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
  foreach(source ${KESTREL_FUZZERS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE kestrel_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
