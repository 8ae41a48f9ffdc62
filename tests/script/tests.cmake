# Tests of src/script: the dispatcher, reporting and the instance lifecycle.
add_executable(script_tests
  ${CMAKE_CURRENT_LIST_DIR}/script_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dispatcher_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_method_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_method_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reporting_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lifecycle_tests.cpp
)
target_link_libraries(script_tests PRIVATE marlowtide_core marlowhost_services GTest::gtest_main)
gtest_discover_tests(script_tests DISCOVERY_MODE PRE_TEST)
