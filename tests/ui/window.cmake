# Headless tests of the main window: list, panels, commands and frame loop.
tamsel_add_gtest(window_tests LABEL ui QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/window/CommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/EventGuardTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/FrameLoopTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/HighContrastTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/JournalAndHelpTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/MainWindowTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/PanelsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/PlayerControlsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/RuleTextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/SaveOnEndTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/WindowFixture.cpp
  LIBS tamsel_ui tamsel_window_driver nlohmann_json::nlohmann_json Qt6::Test)
target_compile_definitions(window_tests PRIVATE TAMSEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
