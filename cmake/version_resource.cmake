# Gives a Windows target the version resource of cmake/version.rc.in, with
# the numbers of the project's version.
#
#   add_version_resource(TARGET FILE_TYPE DESCRIPTION)
#
# FILE_TYPE is VFT_DLL or VFT_APP.
function(add_version_resource target file_type description)
  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  get_target_property(suffix ${target} SUFFIX)
  if(NOT suffix)
    set(suffix ${CMAKE_EXECUTABLE_SUFFIX})
  endif()
  set(VERSION_FILE_TYPE ${file_type})
  set(VERSION_FILE_DESCRIPTION "${description}")
  set(VERSION_INTERNAL_NAME ${output_name})
  set(VERSION_ORIGINAL_FILENAME ${output_name}${suffix})
  set(resource ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${resource} @ONLY)
  target_sources(${target} PRIVATE ${resource})
endfunction()
