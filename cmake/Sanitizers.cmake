# Instruments every target of the build with sanitizers, and with libFuzzer's coverage hooks for
# the fuzz build. Read through CMAKE_PROJECT_INCLUDE (set by the asan and fuzz presets), so it runs
# right after project() and before the first add_subdirectory: the core libraries must be built
# with the same instrumentation as the programs that test them.
#
#   TALSEK_SANITIZE        list of -fsanitize= names, e.g. "address;undefined"
#   TALSEK_FUZZ            also builds fuzz/; with clang the libraries get -fsanitize=fuzzer-no-link

set(TALSEK_SANITIZE "" CACHE STRING "Sanitizers for every target, e.g. address;undefined")
option(TALSEK_FUZZ "Build the fuzz targets in fuzz/" OFF)

if(TALSEK_SANITIZE)
  list(JOIN TALSEK_SANITIZE "," talsek_sanitizers)
  # No recovery: a sanitizer report must fail the test or the fuzz run that produced it, not
  # scroll past in a log that nobody reads.
  add_compile_options(-fsanitize=${talsek_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${talsek_sanitizers} -fno-sanitize-recover=all)
  # libstdc++'s own bounds checks (operator[], front(), back() on empty containers). They change
  # no layout, so the prebuilt GoogleTest library links with them unchanged.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()

if(TALSEK_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Coverage feedback from the code under test, not only from the fuzz targets themselves.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
