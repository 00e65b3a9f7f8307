tivora_add_benchmark(document SOURCES ${CMAKE_CURRENT_LIST_DIR}/document_bench.cpp
                     ${CMAKE_CURRENT_LIST_DIR}/largest_graph.h
                     DEPENDS tivora_document)
