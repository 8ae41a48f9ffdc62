# The Windows tier: build/win32/Marlowtide.x32 in build/win32/marlowhost.exe
# under Wine, recording real sound (tests/wine/run-session.sh), then the
# checks of what it left. Labelled wine: make test runs it after the native
# suite (ctest --preset wine).
set(WINE_TIER_DIR ${CMAKE_CURRENT_LIST_DIR})
set(WINE_TIER_OUTPUT ${CMAKE_BINARY_DIR}/wine/output)
set(WINE_CHECK_OUTPUT ${CMAKE_BINARY_DIR}/wine/emulated-check)

add_library(wine_tier_support STATIC ${WINE_TIER_DIR}/wav_analysis.cpp ${WINE_TIER_DIR}/tier_output.cpp
  ${WINE_TIER_DIR}/sample_match.cpp ${WINE_TIER_DIR}/tone_continuity.cpp ${CMAKE_SOURCE_DIR}/host/marlowhost/wav_summary.cpp)
target_include_directories(wine_tier_support PUBLIC ${WINE_TIER_DIR} ${CMAKE_SOURCE_DIR}/host/marlowhost)

add_executable(wine_checks ${WINE_TIER_DIR}/wine_checks.cpp ${WINE_TIER_DIR}/golden_checks.cpp
  ${WINE_TIER_DIR}/text_checks.cpp ${WINE_TIER_DIR}/device_checks.cpp ${WINE_TIER_DIR}/sample_checks.cpp
  ${WINE_TIER_DIR}/refusal_checks.cpp)
target_compile_definitions(wine_checks PRIVATE MARLOWTIDE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(wine_checks PRIVATE wine_tier_support GTest::gtest_main)

# The continuity check for the bench's long take (bench/wine-figures.sh).
add_executable(tone_continuity ${WINE_TIER_DIR}/continuity_tool.cpp)
target_link_libraries(tone_continuity PRIVATE wine_tier_support)

# The checkers themselves, on doctored takes: with the native suite.
add_executable(wine_checker_tests ${WINE_TIER_DIR}/checker_test.cpp)
target_link_libraries(wine_checker_tests PRIVATE wine_tier_support GTest::gtest_main)
gtest_discover_tests(wine_checker_tests DISCOVERY_MODE PRE_TEST)

# The package of make dist, whose marlowhost.exe runs an example from the
# unpacked folder.
add_test(NAME wine.session COMMAND ${WINE_TIER_DIR}/run-session.sh auto all ${WINE_TIER_OUTPUT} ${MARLOWTIDE_DIST_ZIP})
set_tests_properties(wine.session PROPERTIES LABELS wine FIXTURES_SETUP wine_session TIMEOUT 1500 RUN_SERIAL TRUE)
gtest_discover_tests(wine_checks DISCOVERY_MODE PRE_TEST
  PROPERTIES LABELS wine FIXTURES_REQUIRED wine_session ENVIRONMENT MARLOW_WINE_OUTPUT=${WINE_TIER_OUTPUT})

# The random walks the session ran, every answer and file checked against
# the model of the Xtra (tools/model).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME wine.walk COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/model/walk.py
  wine-check ${CMAKE_SOURCE_DIR}/build/wine/input-all ${WINE_TIER_OUTPUT})
set_tests_properties(wine.walk PROPERTIES LABELS wine FIXTURES_REQUIRED wine_session)

# Where this host runs Wine itself, the emulated machine still records once,
# so that its path cannot rot.
add_test(NAME wine.emulated-check COMMAND ${WINE_TIER_DIR}/emulated-check.sh ${WINE_CHECK_OUTPUT})
set_tests_properties(wine.emulated-check PROPERTIES LABELS wine FIXTURES_SETUP wine_emulated_check TIMEOUT 1200
  RUN_SERIAL TRUE)
add_test(NAME wine.emulated-check.take COMMAND wine_checks --gtest_filter=WineTake.*)
set_tests_properties(wine.emulated-check.take PROPERTIES LABELS wine FIXTURES_REQUIRED wine_emulated_check
  ENVIRONMENT MARLOW_WINE_OUTPUT=${WINE_CHECK_OUTPUT})
