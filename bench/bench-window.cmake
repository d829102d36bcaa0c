# bench-window: frames per second, CPU use and start-up time of the real game
# window in Xvfb, against a minimal Qt window (bench/run-window runs it).
find_package(X11 REQUIRED)
add_executable(bench-minimal-window ${CMAKE_CURRENT_LIST_DIR}/minimal-window.cpp)
target_link_libraries(bench-minimal-window PRIVATE Qt6::Widgets)
add_executable(bench-window ${CMAKE_CURRENT_LIST_DIR}/bench-window.cpp)
target_link_libraries(bench-window PRIVATE tamsel_xdriver X11::X11 X11::Xdamage)
add_dependencies(bench-window bench-minimal-window x-close-window)
