# Sources of src/script, relative to src/.
set(MARLOWTIDE_SCRIPT_SOURCES
  script/device_list.cpp
  script/device_methods.cpp
  script/dispatcher.cpp
  script/format_methods.cpp
  script/level_methods.cpp
  script/lifecycle.cpp
  script/method_call.cpp
  script/reporting.cpp
  script/save_methods.cpp
  script/switch_methods.cpp
)
