# Headless tests of the main window: list, panels, commands and frame loop.
if(TARGET tamsel_ui)
  file(GLOB _tamsel_window_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/window/*.cpp)
  tamsel_add_gtest(window_tests LABEL ui QT
    SOURCES ${_tamsel_window_tests}
    LIBS tamsel_ui nlohmann_json::nlohmann_json Qt6::Test)
  target_compile_definitions(window_tests PRIVATE TAMSEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
