include(GoogleTest)

# tamsel_add_gtest(NAME LABEL label SOURCES ... LIBS ... [QT])
# QT tests get the offscreen main of tests/support, which sets the platform
# before QApplication exists.
function(tamsel_add_gtest name)
  cmake_parse_arguments(ARG "QT" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE tamsel_qt_test_main ${ARG_LIBS} GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${ARG_LABEL}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()
