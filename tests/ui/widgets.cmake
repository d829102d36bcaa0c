# The game's controls, the message window and the version information.
find_package(Qt6 6.4 REQUIRED COMPONENTS Test)
tamsel_add_gtest(tamsel_widgets_test LABEL ui QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/widgets/GameArtTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/widgets/MessageDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/widgets/OvalButtonTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/widgets/ShadowLabelTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/widgets/ShapedPictureTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/widgets/SwitchAndCheckBoxTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/widgets/VersionTest.cpp
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
