tivora_add_benchmark(document SOURCES ${CMAKE_CURRENT_LIST_DIR}/document_bench.cpp
                     DEPENDS tivora_document)
