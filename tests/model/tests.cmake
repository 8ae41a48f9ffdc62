# The random walk of tools/model: marlowhost runs random movie scripts on the
# simulator, and the model of docs/lingo.md checks every answer, report and
# file. A bounded run (its seed printed; MARLOWTIDE_WALK_SEED repeats one),
# and the shrunk scripts of the faults it found, which must agree with it.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND AND TARGET marlowhost AND TARGET Marlowtide)
  set(walk ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/model/walk.py
      --marlowhost $<TARGET_FILE:marlowhost> --xtra $<TARGET_FILE:Marlowtide>)
  add_test(NAME model.walk COMMAND ${walk} run --seconds 45 --work ${CMAKE_BINARY_DIR}/tests/model/walk)
  add_test(NAME model.regressions COMMAND ${walk} regressions)
  # A disagreement is shrunk before the test ends, which takes longer.
  set_tests_properties(model.walk model.regressions PROPERTIES LABELS model TIMEOUT 600)
endif()
