# SPDX-License-Identifier: MIT
# The helpers every tests/ folder builds its test programs with.
#
#   parlamine_core_test(NAME SOURCES core/aTest.cpp ... LINKS lib ...)
#       plain C++ tests of a core, with gtest_main and no QApplication
#   parlamine_widget_test(NAME SOURCES aTest.cpp ... LINKS lib ...)
#       widget tests on the offscreen platform, with the shared test main of
#       tests/helpers (application object, C locale, settings in a temporary
#       folder, an unexpected message box fails the running test)
#
# Parameterised cases name themselves (the name generator of
# INSTANTIATE_TEST_SUITE_P); NO_PRETTY_VALUES keeps CMake from adding the
# parameter's printed bytes to those names in ctest.
find_package(GTest REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Test)
include(GoogleTest)

function(parlamine_core_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE parlamine_options GTest::gtest_main ${T_LINKS})
  # The plain C++ helpers (FileText.h); the Qt ones come with parlamine_test_support.
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/helpers)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
endfunction()

function(parlamine_widget_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE parlamine_options parlamine_test_support Qt6::Test ${T_LINKS})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C")
endfunction()
