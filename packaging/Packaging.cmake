# The release packages, made by CPack in a Windows build:  cmake --build build/mingw64 --target package
# A ZIP with both programs and the German read-me, and the per-user installer of the same files,
# both written by packaging/Pakete.cmake (reproducible, and signed when a certificate is given).
# Included by the top-level file in Windows builds only.

install(TARGETS TalsekTray Talsek RUNTIME DESTINATION .)

# The read-me is kept with Unix line ends; Notepad before Windows 10 shows a file without carriage
# returns as one line. UTF-8 with its byte order mark, which every Notepad recognises.
configure_file("${CMAKE_CURRENT_LIST_DIR}/LIESMICH.txt" "${PROJECT_BINARY_DIR}/packaging/LIESMICH.txt" @ONLY
               NEWLINE_STYLE CRLF)
install(FILES "${PROJECT_BINARY_DIR}/packaging/LIESMICH.txt" DESTINATION .)

# The 64-bit programs are the release; the 32-bit ones are packaged the same way for 32-bit Windows.
set(talsek_paket_system ${TALSEK_PAKET_SYSTEM})
if(talsek_paket_system STREQUAL win64)
  set(talsek_nsis_target amd64-unicode)
else()
  set(talsek_nsis_target x86-unicode)
endif()

find_program(TALSEK_MAKENSIS makensis REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/Pakete.cmake")
set(CPACK_TALSEK_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_TALSEK_MAKENSIS "${TALSEK_MAKENSIS}")
set(CPACK_TALSEK_NSI "${CMAKE_CURRENT_LIST_DIR}/TalsekTray.nsi")
set(CPACK_TALSEK_NSIS_TARGET ${talsek_nsis_target})
set(CPACK_TALSEK_SETUP_NAME "TalsekTray-${PROJECT_VERSION}-${talsek_paket_system}-setup.exe")
set(CPACK_TALSEK_ICON "${PROJECT_SOURCE_DIR}/TalsekTray/TalsekTray.ico")
set(CPACK_TALSEK_PYTHON "${Python3_EXECUTABLE}")
set(CPACK_TALSEK_MAKE_ZIP "${CMAKE_CURRENT_LIST_DIR}/make_zip.py")
set(CPACK_TALSEK_SIGN "${CMAKE_CURRENT_LIST_DIR}/sign.sh")
set(CPACK_PACKAGE_NAME TalsekTray)
set(CPACK_PACKAGE_VENDOR Holvarin)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TalsekTray: Zwischenablage ver- und entschluesseln, mit den Talsek-Optionen")
set(CPACK_SYSTEM_NAME ${talsek_paket_system})
set(CPACK_PACKAGE_FILE_NAME "TalsekTray-${PROJECT_VERSION}-${talsek_paket_system}")
# One folder inside the archive, so that unpacking never scatters files into the target folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
