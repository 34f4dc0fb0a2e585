# Host build: native unit tests of the portable core.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB KESTREL_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/*_test.cpp)
add_executable(kestrel_unit_tests ${KESTREL_UNIT_TESTS})
target_link_libraries(kestrel_unit_tests PRIVATE kestrel_core GTest::gtest GTest::gtest_main)
target_compile_definitions(kestrel_unit_tests PRIVATE KESTREL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
gtest_discover_tests(kestrel_unit_tests DISCOVERY_TIMEOUT 60)
