# Sources of src/platform (native build only), relative to src/: the thin
# Windows layer; the DirectSound simulator behind it is in simulator/.
set(MARLOWTIDE_PLATFORM_SOURCES
  platform/code_page_1252.cpp
  platform/com_initialize.cpp
  platform/crt_wide_open.cpp
  platform/debug_output.cpp
  platform/dsound_interface_ids.cpp
  platform/kernel_clock.cpp
  platform/kernel_code_pages.cpp
  platform/kernel_files.cpp
  platform/kernel_global_memory.cpp
  platform/mmio_buffer.cpp
  platform/mmio_buffer_info.cpp
  platform/mmio_chunks.cpp
  platform/mmio_open_close.cpp
  platform/mmio_read_write_seek.cpp
  platform/user_message_box.cpp
  platform/utf8_text.cpp
)
list(TRANSFORM MARLOWTIDE_PLATFORM_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
