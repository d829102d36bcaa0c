# Tests of the table files: the tagged-value stream, its number and text forms,
# the atomic save, the reader and writer, and the fuzzing corpus. The load test
# puts its own read() in front of the C library's for this whole program; it
# changes only the reads of the file a test names.
set(table_file_test_sources
  ${CMAKE_CURRENT_LIST_DIR}/Extended80Test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CodePageTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableStreamTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaveSetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaveFolderLockTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BackupThinningTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FolderTrustTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableFileBulkReadTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableFileRulesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableFileLoadTest.cpp)
tamsel_add_gtest(TableFileTest LABEL store SOURCES ${table_file_test_sources} LIBS tamsel_schemas tamsel_store)

# The fuzzer's seeds and the inputs it once crashed on, run through its checks.
tamsel_add_gtest(TableFileCorpusTest LABEL store
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TableFileCorpusTest.cpp
          ${CMAKE_SOURCE_DIR}/tests/support/TableFileFuzzCheck.cpp
  LIBS tamsel_schemas)
target_compile_definitions(TableFileCorpusTest PRIVATE
  TAMSEL_CORPUS_DIR="${CMAKE_CURRENT_LIST_DIR}/corpus")

# The hotel-tables program, driven as a user would.
tamsel_add_gtest(HotelTablesToolTest LABEL store
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/HotelTablesToolTest.cpp
  LIBS tamsel_store)
target_compile_definitions(HotelTablesToolTest PRIVATE HOTEL_TABLES="$<TARGET_FILE:hotel-tables>")
add_dependencies(HotelTablesToolTest hotel-tables)
