# Sources of src/audio, relative to src/.
set(MARLOWTIDE_AUDIO_SOURCES
  audio/capture.cpp
  audio/capture_buffer.cpp
  audio/capture_buffer_error_text.cpp
  audio/capture_progress.cpp
  audio/device_enumeration.cpp
  audio/device_format.cpp
  audio/device_open_close.cpp
  audio/device_state.cpp
  audio/guid_text.cpp
  audio/level_meter.cpp
  audio/playback.cpp
  audio/save_as_file.cpp
  audio/sound_image.cpp
  audio/wav_file_writer.cpp
  audio/wave_image_parser.cpp
)
