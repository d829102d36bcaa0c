# cmake -DTOOL=<hotel-tables> -DSOURCE=<tRooms.jsonl> -DOUTPUT=<tRooms.dht> -P WriteCatalog.cmake
# The tool reads the rows on standard input and replaces the file only when complete.
execute_process(COMMAND ${TOOL} write ${OUTPUT} --schema tRooms
  INPUT_FILE ${SOURCE}
  RESULT_VARIABLE result
  ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "hotel-tables could not write ${OUTPUT}: ${error}")
endif()
