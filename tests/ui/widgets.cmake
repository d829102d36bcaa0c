# The game's controls, the message window and the version information.
find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
file(GLOB _tamsel_widget_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/widgets/*.cpp)
tamsel_add_gtest(tamsel_widgets_test LABEL ui QT
  SOURCES ${_tamsel_widget_tests}
  LIBS tamsel_widgets Qt6::Test)
target_compile_definitions(tamsel_widgets_test PRIVATE
  TAMSEL_EXPECTED_FILE_VERSION="${PROJECT_VERSION}")

# The shape of a window on a real X server: this test starts its own Xvfb.
add_executable(tamsel_shaped_window_xtest ${CMAKE_CURRENT_LIST_DIR}/widgets/x/ShapedWindowXTest.cpp)
target_link_libraries(tamsel_shaped_window_xtest PRIVATE tamsel_widgets Qt6::Test GTest::gtest)
target_include_directories(tamsel_shaped_window_xtest PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
gtest_discover_tests(tamsel_shaped_window_xtest
  DISCOVERY_MODE PRE_TEST
  PROPERTIES LABELS ui
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
