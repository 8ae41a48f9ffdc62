# Tests of src/host and the trace log of src/diag, through the test host's
# real services.
set(BRIDGE_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(bridge_tests
  ${BRIDGE_TEST_DIR}/host_bridge_attach_test.cpp
  ${BRIDGE_TEST_DIR}/host_bridge_values_test.cpp
  ${BRIDGE_TEST_DIR}/host_bridge_calls_test.cpp
  ${BRIDGE_TEST_DIR}/property_list_builder_test.cpp
  ${BRIDGE_TEST_DIR}/cast_member_export_test.cpp
  ${BRIDGE_TEST_DIR}/trace_log_test.cpp
)
target_include_directories(bridge_tests PRIVATE ${BRIDGE_TEST_DIR})
target_link_libraries(bridge_tests PRIVATE marlowtide_core marlowhost_services GTest::gtest_main)
gtest_discover_tests(bridge_tests DISCOVERY_MODE PRE_TEST)
