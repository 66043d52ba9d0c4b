# Build helpers: precompiled headers shared between targets, and one place
# that registers every test so all of them run the same way (offscreen
# platform, a time limit, data found through compile definitions and never
# through the working folder).

include(GoogleTest)

# Precompiled headers. Each set is parsed once for the target that owns it;
# targets with the same compile flags and definitions reuse that result
# (REUSE_FROM), the others precompile the set themselves.
set(BRIGHTLOOM_PCH_CORE
  <QByteArray> <QFile> <QFileInfo> <QObject> <QSaveFile> <QString> <QStringList> <QVariant>
  <algorithm> <array> <cstddef> <cstdint> <cstring> <functional> <memory> <optional> <vector>)
set(BRIGHTLOOM_PCH_WIDGETS ${BRIGHTLOOM_PCH_CORE}
  <QBoxLayout> <QCheckBox> <QComboBox> <QDialog> <QGridLayout> <QGroupBox> <QImage> <QLabel>
  <QLineEdit> <QMouseEvent> <QPainter> <QPixmap> <QPushButton> <QSpinBox> <QWidget>)
set(BRIGHTLOOM_PCH_QTEST ${BRIGHTLOOM_PCH_WIDGETS}
  <QApplication> <QSignalSpy> <QTemporaryDir> <QTest> <QTimer>)
set(BRIGHTLOOM_PCH_GTEST ${BRIGHTLOOM_PCH_CORE}
  <QDir> <QSignalSpy> <QTemporaryDir> <gtest/gtest.h>)

# brightloom_reuse_core_pch(target): a target built with the core library's
# flags and definitions only (the command-line tool, generators, fuzz and
# benchmark drivers) reuses the core library's precompiled headers.
function(brightloom_reuse_core_pch target)
  target_precompile_headers(${target} REUSE_FROM brightloom_core)
endfunction()

# brightloom_unity(target): the target's files are compiled eight at a time,
# each batch one translation unit, so the Qt, GoogleTest and standard headers
# are read and their templates compiled once per batch instead of once per
# file; this halves the CPU time of a cold build. The price: names at file
# level (also in anonymous namespaces) must not repeat another file's of the
# same target. Helpers that several test files need go into a shared
# *_test_support.h header.
function(brightloom_unity target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ${BRIGHTLOOM_UNITY_BUILD} UNITY_BUILD_BATCH_SIZE 8)
endfunction()

# brightloom_add_test(NAME name COMMAND command... [TIMEOUT seconds]
#                     [ENVIRONMENT var=value...] [LABELS label...])
function(brightloom_add_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "COMMAND;ENVIRONMENT;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(environment QT_QPA_PLATFORM=offscreen ${ARG_ENVIRONMENT})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_COMMAND})
  set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    set_tests_properties(${ARG_NAME} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# Definitions every test executable gets: where the shipped resources are.
# Test code is compiled for build speed, not run speed: -O1 without debug
# information halves the time of a test file at -O2 -g, and a failing test
# names its file and line through its own messages. The code under test keeps
# the build type's flags.
function(brightloom_test_executable name)
  target_compile_definitions(${name} PRIVATE BRIGHTLOOM_RESOURCES="${PROJECT_SOURCE_DIR}/resources")
  target_compile_options(${name} PRIVATE $<$<CONFIG:RelWithDebInfo,Release>:-O1 -g0>)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()

# brightloom_add_gtest(name [TIMING] SOURCES ... [LIBS ...]): one GoogleTest
# executable. Its tests are listed when ctest starts (not while building),
# each one a ctest test of its own.
#
# TIMING: the tests keep to real time limits (a reply within a pause of some
# milliseconds), so ctest runs them alone, never beside another test.
function(brightloom_add_gtest name)
  cmake_parse_arguments(ARG "TIMING" "" "SOURCES;LIBS" ${ARGN})
  set(run_serial FALSE)
  if(ARG_TIMING)
    set(run_serial TRUE)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE brightloom_core brightloom_test_support GTest::gtest GTest::gmock GTest::gtest_main Qt6::Test ${ARG_LIBS})
  target_precompile_headers(${name} PRIVATE ${BRIGHTLOOM_PCH_GTEST})
  brightloom_test_executable(${name})
  brightloom_unity(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300 RUN_SERIAL ${run_serial})
endfunction()

# brightloom_add_qtests(runner PREFIX prefix SOURCES ... [SUPPORT ...] [LIBS ...]):
# one Qt Test executable for many test files. Each file registers its test
# class (app_test.h) and becomes the ctest test <prefix><file name>, which
# runs `runner <file name>`.
function(brightloom_add_qtests runner)
  cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;SUPPORT;LIBS" ${ARGN})
  add_executable(${runner} ${ARG_SOURCES} ${ARG_SUPPORT})
  set_target_properties(${runner} PROPERTIES AUTOMOC ON)
  target_link_libraries(${runner} PRIVATE brightloom_test_support Qt6::Test ${ARG_LIBS})
  target_precompile_headers(${runner} PRIVATE ${BRIGHTLOOM_PCH_QTEST})
  brightloom_test_executable(${runner})
  brightloom_unity(${runner})
  foreach(src ${ARG_SOURCES})
    get_filename_component(file ${src} NAME_WE)
    brightloom_add_test(NAME ${ARG_PREFIX}${file} COMMAND ${runner} ${file})
  endforeach()
endfunction()
