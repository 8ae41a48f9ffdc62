# Sources of src/host, relative to src/.
set(MARLOWTIDE_HOST_SOURCES
  host/host_bridge.cpp
  host/host_bridge_properties.cpp
  host/host_bridge_format_value.cpp
  host/host_bridge_log.cpp
  host/host_bridge_message_box.cpp
  host/host_bridge_movie_handler.cpp
  host/cast_member_export.cpp
  host/property_list_builder.cpp
  host/host_text.cpp
  host/host_text_choice.cpp
)
