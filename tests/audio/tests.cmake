# The audio engine on the DirectSound simulator.
add_executable(audio_tests
  ${CMAKE_CURRENT_LIST_DIR}/capture_behaviours_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_format_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_loss_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_open_close_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_text_device_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_meter_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_image_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wav_file_test.cpp
)
target_link_libraries(audio_tests PRIVATE marlowtide_core GTest::gtest_main)
gtest_discover_tests(audio_tests DISCOVERY_MODE PRE_TEST)
