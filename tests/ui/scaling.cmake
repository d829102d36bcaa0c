# The scene on high-density screens: the same tests at a device pixel ratio of 2 and of 1.5
# (Qt's own scaling, QT_SCALE_FACTOR), headless.
if(TARGET tamsel_ui)
  add_executable(scene_scaling_tests
    ${CMAKE_CURRENT_LIST_DIR}/scaling/SceneScalingTest.cpp)
  target_link_libraries(scene_scaling_tests PRIVATE tamsel_ui GTest::gtest)
  target_include_directories(scene_scaling_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  foreach(_scale 2 1.5)
    add_test(NAME scene_scaling_at_${_scale} COMMAND scene_scaling_tests)
    set_tests_properties(scene_scaling_at_${_scale} PROPERTIES
      LABELS ui
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${_scale}"
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  endforeach()
endif()
