# The release package: a ZIP with both programs and the German read-me, made by CPack in a
# Windows build:  cmake --build build/mingw32 --target package  (or cpack -G ZIP in build/mingw32).
# Included by the top-level file in Windows builds only.

install(TARGETS TalsekTray Talsek RUNTIME DESTINATION .)

# The read-me is kept with Unix line ends; Notepad before Windows 10 shows a file without carriage
# returns as one line. UTF-8 with its byte order mark, which every Notepad recognises.
configure_file("${CMAKE_CURRENT_LIST_DIR}/LIESMICH.txt" "${PROJECT_BINARY_DIR}/packaging/LIESMICH.txt" @ONLY
               NEWLINE_STYLE CRLF)
install(FILES "${PROJECT_BINARY_DIR}/packaging/LIESMICH.txt" DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(talsek_paket_system win64)
else()
  set(talsek_paket_system win32)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME TalsekTray)
set(CPACK_PACKAGE_VENDOR Holvarin)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TalsekTray: Zwischenablage ver- und entschluesseln, mit den Talsek-Optionen")
set(CPACK_SYSTEM_NAME ${talsek_paket_system})
set(CPACK_PACKAGE_FILE_NAME "TalsekTray-${PROJECT_VERSION}-${talsek_paket_system}")
# One folder inside the archive, so that unpacking never scatters files into the target folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The release build has no debug information worth shipping; the symbol tables only add size.
set(CPACK_STRIP_FILES ON)
include(CPack)
