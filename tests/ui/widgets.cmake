# The game's controls, the message window and the version information.
find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
file(GLOB _tamsel_widget_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/widgets/*.cpp)
tamsel_add_gtest(tamsel_widgets_test LABEL ui QT
  SOURCES ${_tamsel_widget_tests}
  LIBS tamsel_widgets Qt6::Test)
target_compile_definitions(tamsel_widgets_test PRIVATE
  TAMSEL_EXPECTED_FILE_VERSION="${PROJECT_VERSION}")
