add_executable(platform_tests
  ${CMAKE_CURRENT_LIST_DIR}/record_layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/global_memory_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/code_page_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mmio_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_debug_com_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_capture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_devices_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_device_loss_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_buffers_test.cpp
)
target_link_libraries(platform_tests PRIVATE marlowplatform GTest::gtest_main)
gtest_discover_tests(platform_tests DISCOVERY_MODE PRE_TEST)
