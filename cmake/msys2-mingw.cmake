# Windows programs built on Windows, in an MSYS2 shell of MinGW-w64 (MINGW64 for 64-bit, MINGW32 for
# 32-bit): the shell's own g++ and windres, found on its PATH, and nothing named by path. Naming the
# system makes this a build for Windows like the cross builds from Debian (CMAKE_CROSSCOMPILING), so
# that the top-level file adds the Windows-side tests and the packages rather than the portable
# core's tests; ctest then runs the tests as the programs they are, with no Wine in between.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_RC_COMPILER windres)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # As in the Debian 32-bit build: every x86 machine that runs Windows has SSE2.
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
endif()
# No MinGW runtime DLLs to ship: the program is one file.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
