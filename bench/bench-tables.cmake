# bench-tables: a tRoom file of 500,000 records written and read back, against
# one read() and one write() of the same bytes.
add_executable(bench-tables ${CMAKE_CURRENT_LIST_DIR}/bench-tables.cpp)
target_link_libraries(bench-tables PRIVATE tamsel_schemas tamsel_store benchmark::benchmark)
