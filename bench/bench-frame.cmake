# bench-frame: one full-hotel frame through the engine, through QPainter, and the bandwidth floor.
add_executable(bench-frame ${CMAKE_CURRENT_LIST_DIR}/bench-frame.cpp)
target_include_directories(bench-frame PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench-frame PRIVATE tamsel_scene benchmark::benchmark)
