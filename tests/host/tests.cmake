# Tests of the test host: its services, objects, numbering and loader.
set(HOST_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(host_tests
  ${HOST_TEST_DIR}/value_service_test.cpp
  ${HOST_TEST_DIR}/list_service_test.cpp
  ${HOST_TEST_DIR}/lingo_text_test.cpp
  ${HOST_TEST_DIR}/allocator_callback_test.cpp
  ${HOST_TEST_DIR}/app_info_test.cpp
  ${HOST_TEST_DIR}/registry_test.cpp
  ${HOST_TEST_DIR}/movie_cast_test.cpp
  ${HOST_TEST_DIR}/movie_handlers_test.cpp
  ${HOST_TEST_DIR}/notification_test.cpp
  ${HOST_TEST_DIR}/method_table_test.cpp
  ${HOST_TEST_DIR}/host_objects_test.cpp
  ${HOST_TEST_DIR}/xtra_loader_test.cpp
)
# The built Xtra, if it is there; the loader test skips without it.
target_compile_definitions(host_tests PRIVATE MARLOWTIDE_XTRA_PATH="$<TARGET_FILE:Marlowtide>")
target_link_libraries(host_tests PRIVATE marlowhost_services GTest::gtest_main)
gtest_discover_tests(host_tests DISCOVERY_MODE PRE_TEST)
