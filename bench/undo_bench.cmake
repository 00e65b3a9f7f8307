tivora_add_benchmark(undo SOURCES ${CMAKE_CURRENT_LIST_DIR}/undo_bench.cpp
                     ${CMAKE_CURRENT_LIST_DIR}/largest_graph.h DEPENDS tivora_document)
