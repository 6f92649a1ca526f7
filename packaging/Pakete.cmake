# Run by CPack's External generator with the release files staged (the linker stripped them). Writes both release
# packages from the same files: the ZIP (packaging/make_zip.py) and the per-user installer
# (makensis with packaging/TalsekTray.nsi). Both are reproducible: every date in them is the build's
# time, SOURCE_DATE_EPOCH, by default the time of the last commit. With a certificate named in the
# environment (packaging/sign.sh) the programs are signed before they are packed, and the uninstaller
# and the installer as makensis writes them.
file(GLOB_RECURSE talsek_staged "${CPACK_TEMPORARY_DIRECTORY}/*/TalsekTray.exe" "${CPACK_TEMPORARY_DIRECTORY}/TalsekTray.exe")
list(GET talsek_staged 0 talsek_program)
get_filename_component(talsek_stage "${talsek_program}" DIRECTORY)
set(talsek_files "${talsek_stage}/LIESMICH.txt" "${talsek_stage}/TalsekTray.exe" "${talsek_stage}/talsek.exe")

if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(talsek_epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C "${CPACK_TALSEK_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE talsek_epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE talsek_result)
  if(NOT talsek_result EQUAL 0 OR talsek_epoch STREQUAL "")
    message(FATAL_ERROR "No build time: set SOURCE_DATE_EPOCH, or build from a git clone")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${talsek_epoch}")
endif()

function(talsek_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result})")
  endif()
endfunction()

set(talsek_sign_define "")
if(NOT "$ENV{TALSEK_SIGN_PKCS12}" STREQUAL "")
  talsek_run("Signing the programs" "${CPACK_TALSEK_SIGN}" "${talsek_stage}/TalsekTray.exe" "${talsek_stage}/talsek.exe")
  set(talsek_sign_define "-DSIGN=${CPACK_TALSEK_SIGN}")
  message(STATUS "Programs, uninstaller and installer signed with $ENV{TALSEK_SIGN_PKCS12}")
else()
  message(STATUS "No certificate given (TALSEK_SIGN_PKCS12): ${CPACK_PACKAGE_FILE_NAME} is not signed")
endif()
# makensis stores each file's time, which the installation gives back to the installed file.
talsek_run("Dating the staged files" touch -d "@${talsek_epoch}" ${talsek_files})

set(talsek_zip "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip")
talsek_run("Writing the ZIP" "${CPACK_TALSEK_PYTHON}" "${CPACK_TALSEK_MAKE_ZIP}" "${talsek_zip}"
           "${CPACK_PACKAGE_FILE_NAME}" "${talsek_epoch}" ${talsek_files})

set(talsek_setup "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_TALSEK_SETUP_NAME}")
talsek_run("makensis" "${CPACK_TALSEK_MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${CPACK_PACKAGE_VERSION}"
           "-DTARGET=${CPACK_TALSEK_NSIS_TARGET}" "-DSTAGE=${talsek_stage}" "-DOUTFILE=${talsek_setup}"
           "-DICON=${CPACK_TALSEK_ICON}" ${talsek_sign_define} "${CPACK_TALSEK_NSI}")
set(CPACK_EXTERNAL_BUILT_PACKAGES "${talsek_zip}" "${talsek_setup}")
