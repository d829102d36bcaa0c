# The libFuzzer target for the table-file reader, built only with -DTAMSEL_FUZZ=ON
# and clang. It compiles the store itself, so that the reader is instrumented for
# coverage whatever the other targets are built with. scripts/fuzz runs it.
if(TAMSEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TAMSEL_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  get_target_property(fuzz_store_sources tamsel_store SOURCES)
  list(TRANSFORM fuzz_store_sources PREPEND ${CMAKE_SOURCE_DIR}/store/)
  add_executable(fuzz-table-file
    ${CMAKE_CURRENT_LIST_DIR}/fuzz/FuzzTableFile.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/TableFileFuzzCheck.cpp
    ${CMAKE_SOURCE_DIR}/model/TableSchemas.cpp
    ${fuzz_store_sources})
  target_include_directories(fuzz-table-file PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(fuzz-table-file PRIVATE
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(fuzz-table-file PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz-table-file PRIVATE Iconv::Iconv)
endif()
