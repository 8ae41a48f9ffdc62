# marlowhost: the unit tests of its Lingo interpreter, command line and text
# conversion; every movie script of tests/scripts and examples/ run against
# the Xtra and checked against its golden transcript; the examples of
# docs/lingo.md run; marlowhost finds the Xtra in the Xtras folder beside it.
add_executable(marlowhost_tests
  ${CMAKE_CURRENT_LIST_DIR}/lingo_expression_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lingo_statement_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lingo_error_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wav_summary_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/director_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_conversion_test.cpp)
target_include_directories(marlowhost_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(marlowhost_tests PRIVATE marlowhost_program GTest::gtest_main)
gtest_discover_tests(marlowhost_tests DISCOVERY_MODE PRE_TEST)

if(TARGET marlowhost AND TARGET Marlowtide)
  set(script_runner ${CMAKE_CURRENT_LIST_DIR}/run_script.cmake)
  set(script_work ${CMAKE_BINARY_DIR}/tests/scripts)

  file(GLOB test_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scripts/*.ls)
  foreach(script ${test_scripts})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME script.${name}
      COMMAND ${CMAKE_COMMAND} -DMARLOWHOST=$<TARGET_FILE:marlowhost> -DXTRA=$<TARGET_FILE:Marlowtide>
              -DSCRIPT=${script} -DEXPECTED=${CMAKE_SOURCE_DIR}/tests/scripts/${name}.out
              -DWORK=${script_work}/${name} -P ${script_runner})
    set_tests_properties(script.${name} PROPERTIES LABELS scripts)
  endforeach()

  file(GLOB example_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*.ls)
  foreach(script ${example_scripts})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME script.example-${name}
      COMMAND ${CMAKE_COMMAND} -DMARLOWHOST=$<TARGET_FILE:marlowhost> -DXTRA=$<TARGET_FILE:Marlowtide>
              -DSCRIPT=${script} -DEXPECTED=${CMAKE_SOURCE_DIR}/tests/scripts/example-${name}.out
              -DWORK=${script_work}/example-${name} -P ${script_runner})
    set_tests_properties(script.example-${name} PROPERTIES LABELS scripts)
  endforeach()

  add_test(NAME script.lingo-docs
    COMMAND ${CMAKE_COMMAND} -DMARLOWHOST=$<TARGET_FILE:marlowhost> -DXTRA=$<TARGET_FILE:Marlowtide>
            -DDOC=${CMAKE_SOURCE_DIR}/docs/lingo.md -DWORK=${script_work}/lingo-docs
            -P ${CMAKE_CURRENT_LIST_DIR}/run_doc_examples.cmake)
  set_tests_properties(script.lingo-docs PROPERTIES LABELS scripts)

  add_test(NAME script.xtras-folder
    COMMAND ${CMAKE_COMMAND} -DMARLOWHOST=$<TARGET_FILE:marlowhost> -DXTRA=$<TARGET_FILE:Marlowtide>
            -DWORK=${script_work}/xtras-folder -P ${CMAKE_CURRENT_LIST_DIR}/run_xtras_folder.cmake)
  set_tests_properties(script.xtras-folder PROPERTIES LABELS scripts)
endif()
