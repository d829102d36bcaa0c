# scene-preview: renders a demo hotel through the real scene engine into a PNG.
add_executable(scene-preview ${CMAKE_CURRENT_LIST_DIR}/scene-preview.cpp)
target_link_libraries(scene-preview PRIVATE tamsel_scene)
