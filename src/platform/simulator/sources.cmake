# Sources of src/platform/simulator (native build only), relative to src/.
set(MARLOWTIDE_SIMULATOR_SOURCES
  platform/simulator/buffer_memory.cpp
  platform/simulator/capture_buffer.cpp
  platform/simulator/capture_object.cpp
  platform/simulator/clock.cpp
  platform/simulator/device_link.cpp
  platform/simulator/direct_sound_object.cpp
  platform/simulator/dsound_entry.cpp
  platform/simulator/input_signal.cpp
  platform/simulator/machine.cpp
  platform/simulator/sim_object.cpp
  platform/simulator/sound_buffer.cpp
  platform/simulator/wav_input.cpp
  platform/simulator/wave_format.cpp
  platform/simulator/windows_capture_fill.cpp
  platform/simulator/wine_capture_fill.cpp
)
list(TRANSFORM MARLOWTIDE_SIMULATOR_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
