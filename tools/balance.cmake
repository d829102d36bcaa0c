# balance: plays scripted strategies on the model with the shipped catalog and
# prints a weekly account, to show the economy the catalog makes.
add_executable(balance ${CMAKE_CURRENT_LIST_DIR}/balance.cpp)
target_link_libraries(balance PRIVATE tamsel_model nlohmann_json::nlohmann_json)
target_compile_definitions(balance PRIVATE
  TAMSEL_CATALOG_SOURCE="${CMAKE_SOURCE_DIR}/assets/catalog/tRooms.jsonl")
