# hotel-tables: dumps a table file as JSON lines and writes one from them, with
# the game's own table store and schemas.
add_executable(hotel-tables ${CMAKE_CURRENT_LIST_DIR}/hotel-tables.cpp)
target_link_libraries(hotel-tables PRIVATE tamsel_schemas tamsel_store nlohmann_json::nlohmann_json)
