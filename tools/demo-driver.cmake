# demo-driver: the demo that tools/demo runs (scripts/play without a display):
# plays a short game through the real window in Xvfb and saves screenshots.
add_executable(demo-driver ${CMAKE_CURRENT_LIST_DIR}/demo-driver.cpp)
target_link_libraries(demo-driver PRIVATE tamsel_xdriver)
