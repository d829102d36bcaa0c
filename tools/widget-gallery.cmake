# Renders every control of the game in each of its states to one picture:
#   widget-gallery [output.png]   (default docs/widget-gallery.png)
add_executable(widget-gallery ${CMAKE_CURRENT_LIST_DIR}/widget-gallery.cpp)
target_link_libraries(widget-gallery PRIVATE tamsel_widgets)
