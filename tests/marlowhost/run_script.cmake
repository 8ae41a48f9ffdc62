# Runs one movie script with marlowhost and the manual clock, in a fresh
# folder of its own, and compares what it printed (standard output and
# error merged, then "[exit N]") with its golden transcript.
#
#   cmake -DMARLOWHOST=... -DXTRA=... -DSCRIPT=x.ls -DEXPECTED=x.out -DWORK=dir -P run_script.cmake
#
# The script's own line "-- args: ..." adds options (--devices 3, --input ...).
# -DUPDATE=ON writes the transcript into EXPECTED instead: read it before
# keeping it.
cmake_minimum_required(VERSION 3.25)

foreach(required MARLOWHOST XTRA SCRIPT EXPECTED WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "run_script.cmake needs -D${required}=...")
  endif()
endforeach()

get_filename_component(name ${SCRIPT} NAME)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SCRIPT} DESTINATION ${WORK})

set(extra_args "")
file(STRINGS ${SCRIPT} args_lines REGEX "^-- args:")
if(args_lines)
  list(GET args_lines 0 args_line)
  string(REGEX REPLACE "^-- args:[ ]*" "" args_text "${args_line}")
  separate_arguments(extra_args UNIX_COMMAND "${args_text}")
endif()

execute_process(
  COMMAND ${MARLOWHOST} --xtra ${XTRA} --clock manual ${extra_args} ${name}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE transcript
  ERROR_VARIABLE transcript
  RESULT_VARIABLE status
  TIMEOUT 120)
string(APPEND transcript "[exit ${status}]\n")

if(UPDATE)
  file(WRITE ${EXPECTED} "${transcript}")
  message(STATUS "wrote ${EXPECTED}")
  return()
endif()

if(NOT EXISTS ${EXPECTED})
  file(WRITE ${WORK}/${name}.actual "${transcript}")
  message(FATAL_ERROR "no golden transcript ${EXPECTED}; this run printed:\n${transcript}")
endif()
file(READ ${EXPECTED} expected)
if(NOT transcript STREQUAL expected)
  file(WRITE ${WORK}/${name}.actual "${transcript}")
  execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/${name}.actual OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "${name}: the transcript differs from ${EXPECTED}:\n${difference}")
endif()
