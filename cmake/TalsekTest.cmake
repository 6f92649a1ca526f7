find_package(GTest REQUIRED)
include(GoogleTest)

# talsek_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable; each of its tests becomes a ctest test.
function(talsek_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  talsek_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
