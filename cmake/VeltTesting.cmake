include(GoogleTest)

# Every test has a time limit, so that a test that hangs fails in minutes and is named:
# this one, unless it needs longer (an end-to-end run, a soak) and sets its own TIMEOUT.
# Tests registered with add_test set it themselves.
set(VELT_TEST_TIMEOUT 120)

# velt_add_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [GUI])
# One GoogleTest binary registered with CTest. Tests are listed when ctest runs
# (PRE_TEST). The source and build folders are compiled in as VELT_SOURCE_DIR and
# VELT_BINARY_DIR rather than passed in the environment, so a test binary run by
# hand behaves as under ctest. GUI tests bring their own main (velt_qt_test_main),
# which defaults Qt to the offscreen platform. Every test links velt_test_support
# (tests/support/).
function(velt_add_gtest name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  # private_runtime.cpp: a runtime folder (mouse lock files) of each test process's own.
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/private_runtime.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} velt_test_support GTest::gtest GTest::gmock)
  if(NOT ARG_GUI)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE VELT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             VELT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  # A test that forgets its ScopedHome writes into the build folder, never the real home.
  set(home ${PROJECT_BINARY_DIR}/test-home)
  file(MAKE_DIRECTORY ${home})
  if(ARG_GUI)
    # The GUI main exits 77 when it cannot reach a display: shown as skipped.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES SKIP_RETURN_CODE 77 ENVIRONMENT HOME=${home}
                                    TIMEOUT ${VELT_TEST_TIMEOUT})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT HOME=${home} TIMEOUT ${VELT_TEST_TIMEOUT})
  endif()
endfunction()

# velt_add_e2e_test(NAME SCRIPT test.py [ARGS arg...])
# An end-to-end test: the Python file (relative to the calling folder) drives a real
# program through tests/e2e/atspi_harness.py, run by tests/e2e/run_e2e.sh under its own
# X server and D-Bus session; skipped (77) where none can be made. ARGS may hold
# generator expressions, e.g. $<TARGET_FILE:velt_gallery>.
# SESSION wayland runs it under a headless weston instead, SESSION sway under a headless
# sway (see run_e2e.sh).
function(velt_add_e2e_test name)
  cmake_parse_arguments(ARG "" "SCRIPT;SESSION" "ARGS" ${ARGN})
  cmake_path(ABSOLUTE_PATH ARG_SCRIPT BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  add_test(NAME ${name}
           COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/run_e2e.sh ${ARG_SCRIPT} ${ARG_ARGS})
  if(ARG_SESSION)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT VELT_E2E_SESSION=${ARG_SESSION})
  endif()
  # Within the harness's own 120-second limit plus start-up and teardown.
  # One at a time: two xvfb-run -a starting together can pick the same display.
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 200 LABELS e2e
                                          RESOURCE_LOCK velt_x_server)
endfunction()

