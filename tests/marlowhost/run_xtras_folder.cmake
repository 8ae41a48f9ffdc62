# marlowhost laid out as in the package, with the Xtra in the Xtras folder
# beside it, finds and loads it; with no Xtra in either place it says which
# file it looked for.
#
#   cmake -DMARLOWHOST=... -DXTRA=... -DWORK=... -P run_xtras_folder.cmake
get_filename_component(xtra_name ${XTRA} NAME)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/Xtras)
file(COPY ${MARLOWHOST} DESTINATION ${WORK})
file(WRITE ${WORK}/version.ls "on startMovie\n  put new(xtra \"Marlowtide\").GetVersionString()\nend\n")
get_filename_component(host_name ${MARLOWHOST} NAME)

execute_process(COMMAND ${WORK}/${host_name} --clock manual version.ls WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 2 OR NOT errors MATCHES "cannot load the Xtra ${WORK}/${xtra_name}:")
  message(FATAL_ERROR "without an Xtra: exit ${status}\n${output}${errors}")
endif()

file(COPY ${XTRA} DESTINATION ${WORK}/Xtras)
execute_process(COMMAND ${WORK}/${host_name} --clock manual version.ls WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT output MATCHES "xtra Marlowtide --\\(WINTEL Release build\\)")
  message(FATAL_ERROR "with Xtras/${xtra_name}: exit ${status}\n${output}${errors}")
endif()
