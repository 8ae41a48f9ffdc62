# Runs every ```lingo block of a Markdown file as a movie script with
# marlowhost and the manual clock; each must run to its end (exit 0)
# without a script error.
#
#   cmake -DMARLOWHOST=... -DXTRA=... -DDOC=docs/lingo.md -DWORK=dir -P run_doc_examples.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required MARLOWHOST XTRA DOC WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "run_doc_examples.cmake needs -D${required}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# The file is cut with string(FIND): a list of lines would split at
# semicolons and join at brackets.
file(READ ${DOC} rest)
set(fence_open "```lingo\n")
string(LENGTH "${fence_open}" fence_open_length)
set(count 0)
set(failures "")
while(TRUE)
  string(FIND "${rest}" "${fence_open}" start)
  if(start EQUAL -1)
    break()
  endif()
  math(EXPR start "${start} + ${fence_open_length}")
  string(SUBSTRING "${rest}" ${start} -1 rest)
  string(FIND "${rest}" "```" stop)
  if(stop EQUAL -1)
    message(FATAL_ERROR "${DOC}: a ```lingo block is not closed")
  endif()
  string(SUBSTRING "${rest}" 0 ${stop} block)
  math(EXPR stop "${stop} + 3")
  string(SUBSTRING "${rest}" ${stop} -1 rest)
  math(EXPR count "${count} + 1")
  file(WRITE ${WORK}/example-${count}.ls "${block}")
  # An example's line "-- args: ..." adds options, as in tests/scripts.
  set(extra_args "")
  string(REGEX MATCH "-- args:[^\n]*" args_line "${block}")
  if(args_line)
    string(REGEX REPLACE "^-- args:[ ]*" "" args_text "${args_line}")
    separate_arguments(extra_args UNIX_COMMAND "${args_text}")
  endif()
  execute_process(
    COMMAND ${MARLOWHOST} --xtra ${XTRA} --clock manual ${extra_args} example-${count}.ls
    WORKING_DIRECTORY ${WORK}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    RESULT_VARIABLE status
    TIMEOUT 120)
  file(WRITE ${WORK}/example-${count}.out "${output}")
  if(NOT status EQUAL 0 OR output MATCHES "Script error")
    string(APPEND failures "example ${count} (exit ${status}):\n${block}--- printed:\n${output}\n")
  endif()
endwhile()

if(count EQUAL 0)
  message(FATAL_ERROR "${DOC} has no ```lingo examples")
endif()
if(failures)
  message(FATAL_ERROR "examples of ${DOC} that do not run:\n${failures}")
endif()
message(STATUS "${count} examples of ${DOC} ran")
