include(GoogleTest)

# velt_add_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [GUI])
# One GoogleTest binary registered with CTest. Tests are listed when ctest runs
# (PRE_TEST), so they see ctest's environment rather than the build's.
# GUI tests get the offscreen Qt platform and a private runtime folder.
function(velt_add_gtest name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(NOT ARG_GUI)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set(env "VELT_SOURCE_DIR=${PROJECT_SOURCE_DIR}" "VELT_BINARY_DIR=${PROJECT_BINARY_DIR}")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "${env}")
endfunction()
