tivora_add_benchmark(export QT_APPLICATION gui SOURCES ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp
                     ${CMAKE_CURRENT_LIST_DIR}/bench_graph_text.h
                     DEPENDS tivora_export)
