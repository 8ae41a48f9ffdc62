# Sources of src/diag, relative to src/.
set(MARLOWTIDE_DIAG_SOURCES
  diag/status_record.cpp
  diag/trace_log.cpp
)
