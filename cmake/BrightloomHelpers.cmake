# One place that registers every test executable, so all of them find their
# data the same way (a compile definition, never the working folder).
function(brightloom_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE brightloom_core brightloom_test_support GTest::gtest GTest::gmock GTest::gtest_main Qt6::Test ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    BRIGHTLOOM_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    BRIGHTLOOM_RESOURCES="${PROJECT_SOURCE_DIR}/resources")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Qt Test executables drive real widgets on the offscreen platform.
function(brightloom_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE brightloom_test_support Qt6::Test ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    BRIGHTLOOM_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    BRIGHTLOOM_RESOURCES="${PROJECT_SOURCE_DIR}/resources")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
