# Renders the journal window after 30 game days of a small hotel played on the
# model with the shipped catalog:
#   journal-preview OUT.png [days]
if(TAMSEL_WITH_QT)
  add_executable(journal-preview ${CMAKE_CURRENT_LIST_DIR}/journal-preview.cpp)
  target_link_libraries(journal-preview PRIVATE tamsel_ui nlohmann_json::nlohmann_json)
  target_compile_definitions(journal-preview PRIVATE
    TAMSEL_CATALOG_SOURCE="${CMAKE_SOURCE_DIR}/assets/catalog/tRooms.jsonl")
endif()
