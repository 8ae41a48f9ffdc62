# Tests of src/module: the registry and interface objects against the static
# core, and the exports of the loaded library through the test host's loader.
set(MODULE_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(module_tests
  ${MODULE_TEST_DIR}/class_registry_test.cpp
  ${MODULE_TEST_DIR}/interface_object_test.cpp
  ${MODULE_TEST_DIR}/registration_test.cpp
  ${MODULE_TEST_DIR}/loaded_xtra_test.cpp
)
target_include_directories(module_tests PRIVATE ${MODULE_TEST_DIR})
target_compile_definitions(module_tests PRIVATE
  MARLOWTIDE_MODULE_GOLDEN_DIR="${MODULE_TEST_DIR}/golden"
  MARLOWTIDE_XTRA_LIBRARY="$<TARGET_FILE:Marlowtide>")
target_link_libraries(module_tests PRIVATE marlowtide_core marlowhost_services GTest::gtest_main)
add_dependencies(module_tests Marlowtide)
gtest_discover_tests(module_tests DISCOVERY_MODE PRE_TEST)
