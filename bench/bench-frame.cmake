# bench-frame: one full-hotel frame through the engine, through QPainter, and the bandwidth floor.
if(TAMSEL_WITH_QT)
  add_executable(bench-frame ${CMAKE_CURRENT_LIST_DIR}/bench-frame.cpp)
  cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH bench_frame_root)
  target_include_directories(bench-frame PRIVATE ${bench_frame_root} ${bench_frame_root}/tests/scene)
  target_link_libraries(bench-frame PRIVATE tamsel_scene benchmark::benchmark)
endif()
