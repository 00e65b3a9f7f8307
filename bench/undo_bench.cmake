tivora_add_benchmark(undo SOURCES ${CMAKE_CURRENT_LIST_DIR}/undo_bench.cpp DEPENDS tivora_document)
