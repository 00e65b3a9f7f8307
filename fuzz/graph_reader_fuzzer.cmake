tivora_add_fuzzer(graph_reader SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_reader_fuzzer.cpp
                  DEPENDS tivora_document)
