# Run by CPack's External generator with the release files staged: builds the per-user installer
# from packaging/TalsekTray.nsi with makensis and hands it back to CPack, which puts it beside the ZIP.
file(GLOB_RECURSE talsek_staged "${CPACK_TEMPORARY_DIRECTORY}/*/TalsekTray.exe" "${CPACK_TEMPORARY_DIRECTORY}/TalsekTray.exe")
list(GET talsek_staged 0 talsek_program)
get_filename_component(talsek_stage "${talsek_program}" DIRECTORY)
set(talsek_setup "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_TALSEK_SETUP_NAME}")
execute_process(COMMAND "${CPACK_TALSEK_MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${CPACK_PACKAGE_VERSION}"
                        "-DTARGET=${CPACK_TALSEK_NSIS_TARGET}"
                        "-DSTAGE=${talsek_stage}" "-DOUTFILE=${talsek_setup}" "-DICON=${CPACK_TALSEK_ICON}"
                        "${CPACK_TALSEK_NSI}"
                RESULT_VARIABLE talsek_result)
if(NOT talsek_result EQUAL 0)
  message(FATAL_ERROR "makensis failed (${talsek_result})")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${talsek_setup}")
