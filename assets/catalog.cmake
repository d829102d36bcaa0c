# The shipped price catalog: tRooms.dht, written beside the executable from its
# readable source assets/catalog/tRooms.jsonl by the hotel-tables tool.
set(tamsel_catalog_source ${CMAKE_CURRENT_LIST_DIR}/catalog/tRooms.jsonl)
set(tamsel_catalog_file ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/tRooms.dht)
add_custom_command(OUTPUT ${tamsel_catalog_file}
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:hotel-tables> -DSOURCE=${tamsel_catalog_source}
          -DOUTPUT=${tamsel_catalog_file} -P ${CMAKE_CURRENT_LIST_DIR}/catalog/WriteCatalog.cmake
  DEPENDS hotel-tables ${tamsel_catalog_source} ${CMAKE_CURRENT_LIST_DIR}/catalog/WriteCatalog.cmake
  COMMENT "Writing the price catalog tRooms.dht"
  VERBATIM)
add_custom_target(tamsel_catalog ALL DEPENDS ${tamsel_catalog_file})
