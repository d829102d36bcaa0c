# bench-tick: one game hour of a full hotel with 0 and with 1,000 other saved
# hotels in the tables; ends with "others/none R".
add_executable(bench-tick ${CMAKE_CURRENT_LIST_DIR}/bench-tick.cpp)
target_link_libraries(bench-tick PRIVATE tamsel_model benchmark::benchmark nlohmann_json::nlohmann_json)
target_compile_definitions(bench-tick PRIVATE
  TAMSEL_CATALOG_SOURCE="${CMAKE_SOURCE_DIR}/assets/catalog/tRooms.jsonl")
