# Sources of src/module, relative to src/.
set(MARLOWTIDE_MODULE_SOURCES
  module/class_registry.cpp
  module/exports.cpp
  module/interface_object.cpp
  module/notification_client_interface.cpp
  module/registration_interface.cpp
  module/registration_text.cpp
  module/script_interface_object.cpp
)
if(NOT MARLOWTIDE_NATIVE)
  list(APPEND MARLOWTIDE_MODULE_SOURCES module/dll_entry.cpp)
endif()
