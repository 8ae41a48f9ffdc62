# Hardening: DirectSound and file faults, and long soak runs, all through
# the loaded library.
set(HARDENING_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})

add_executable(hardening_tests
  ${HARDENING_TEST_DIR}/direct_sound_fault_test.cpp
  ${HARDENING_TEST_DIR}/file_fault_test.cpp
  ${HARDENING_TEST_DIR}/reentry_test.cpp
)
add_executable(hardening_soak_tests ${HARDENING_TEST_DIR}/soak_test.cpp)

foreach(target hardening_tests hardening_soak_tests)
  target_include_directories(${target} PRIVATE ${HARDENING_TEST_DIR})
  target_compile_definitions(${target} PRIVATE MARLOWTIDE_XTRA_LIBRARY="$<TARGET_FILE:Marlowtide>")
  target_link_libraries(${target} PRIVATE marlowhost_services GTest::gtest_main)
  add_dependencies(${target} Marlowtide)
endforeach()

gtest_discover_tests(hardening_tests DISCOVERY_MODE PRE_TEST)
gtest_discover_tests(hardening_soak_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS soak TIMEOUT 120)
