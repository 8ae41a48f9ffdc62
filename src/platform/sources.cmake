# Sources of src/platform (native build only), relative to src/.
set(MARLOWTIDE_PLATFORM_SOURCES
  platform/com_initialize.cpp
  platform/debug_output.cpp
  platform/dsound_entry.cpp
  platform/dsound_interface_ids.cpp
  platform/kernel_clock.cpp
  platform/kernel_global_memory.cpp
  platform/mmio_buffer.cpp
  platform/mmio_buffer_info.cpp
  platform/mmio_chunks.cpp
  platform/mmio_open_close.cpp
  platform/mmio_read_write_seek.cpp
  platform/sim_buffer_memory.cpp
  platform/sim_capture.cpp
  platform/sim_capture_buffer.cpp
  platform/sim_clock.cpp
  platform/sim_direct_sound.cpp
  platform/sim_machine.cpp
  platform/sim_object.cpp
  platform/sim_signal.cpp
  platform/sim_sound_buffer.cpp
  platform/sim_wav_input.cpp
  platform/sim_wave_format.cpp
  platform/user_message_box.cpp
)
list(TRANSFORM MARLOWTIDE_PLATFORM_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
